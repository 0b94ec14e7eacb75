#!/usr/bin/env bash
# A whole run that loads a large world in a fresh process, as a player's
# start does: `trellan world check` on 200 000 rooms in 1 000 zone files,
# against reading the same files with cat. The world is consistent, so the
# check adds little beyond loading. Both read from the page cache; the best
# of three runs of each is shown.
#   bench/world_load_run.sh [ZONES] [ROOMS_PER_ZONE]
# TRELLAN_BUILD_DIR picks the build directory (default build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRELLAN_BUILD_DIR:-$root/build}"
if [ ! -x "$build/trellan" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target trellan -j 2
fi
zones="${1:-1000}"
per_zone="${2:-200}"
world="$(mktemp -d)"
trap 'rm -rf "$world"' EXIT

python3 - "$zones" "$per_zone" "$world" "$build/trellan" <<'PY'
import json, subprocess, sys
zones, per_zone, world, trellan = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
for z in range(zones):
    lines = []
    for i in range(per_zone):
        room = {"Tag": i + 1, "Exits": "N S E" if i % 3 else "(W) U D", "Hint": "Темная тропа %d" % i,
                "BColor": 12632256 if i % 5 else 65280,
                "Description": "Узкая тропа вьётся.\r\nOld roots cross the path here and there, and the air "
                               "smells of moss and rain.\r\nTo the north you hear running water; the path goes on "
                               "south and east.",
                "X": i // 20, "Y": i % 20, "L": z % 4 - 2, "DY": 10}
        if i % 50 == 0:
            room["QuickList"] = "alias%d_%d" % (z, i)
        lines.append(json.dumps(room, ensure_ascii=False))
    subprocess.run([trellan, "zone", "write", "%s/zone%d.tr2" % (world, z)],
                   input=("\n".join(lines) + "\n").encode(), check=True)
PY

best() {  # best wall, user and system seconds of three runs of "$@"
  local best_line=""
  for _ in 1 2 3; do
    local line
    /usr/bin/time -o "$world/.time" -f '%e %U %S %M' "$@" >/dev/null 2>&1
    line="$(tail -1 "$world/.time")"
    if [ -z "$best_line" ] || awk -v a="$line" -v b="$best_line" 'BEGIN{split(a,x," ");split(b,y," ");exit !(x[1]<y[1])}'; then
      best_line="$line"
    fi
  done
  echo "$best_line"
}
cat "$world"/*.tr2 >/dev/null  # into the page cache
bytes=$(cat "$world"/*.tr2 | wc -c)
echo "world: $zones zones x $per_zone rooms, $((bytes / 1048576)) MB"
read -r cw cu cs cm <<<"$(best sh -c "cat '$world'/*.tr2")"
read -r tw tu ts tm <<<"$(best "$build/trellan" world check "$world")"
echo "plain read (cat):      wall ${cw}s  user ${cu}s  sys ${cs}s"
echo "trellan world check:   wall ${tw}s  user ${tu}s  sys ${ts}s  peak ${tm} KB"
awk -v t="$tw" -v c="$cw" 'BEGIN{ if (c > 0) printf "ratio (wall): %.1f\n", t / c }'
