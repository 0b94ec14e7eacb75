#!/usr/bin/env bash
# Export to Mudlet's JSON map, import back and merge, each as a whole run in
# a fresh process: 200 000 rooms in 1 000 zone files (grid links in rows, a cross
# link per zone into the next, aliases and closed doors), best of three runs.
#   bench/mudlet_exchange_run.sh [ZONES] [ROOMS_PER_ZONE]
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
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
world="$work/world"
mkdir "$world"

python3 - "$zones" "$per_zone" "$world" "$build/trellan" <<'PY'
import json, subprocess, sys
zones, per_zone, world, trellan = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3], sys.argv[4]
for z in range(zones):
    lines = []
    for i in range(per_zone):
        col = i % 20
        room = {"Tag": i + 1, "Exits": "W E" if i % 3 else "(W) E", "Hint": "Темная тропа %d" % i,
                "ChW": col > 0, "ChE": col < 19, "BColor": 12632256 if i % 5 else 65280,
                "Description": "Узкая тропа вьётся.\r\nOld roots cross the path here and there.",
                "X": i // 20, "Y": col, "L": 0, "DY": 10}
        if i % 50 == 0:
            room["QuickList"] = "alias%d_%d" % (z, i)
        if i == 0:
            room["AutoMaps"] = ["zone%d|на север|1" % ((z + 1) % zones)]
            room["ChN"] = True
        lines.append(json.dumps(room, ensure_ascii=False))
    subprocess.run([trellan, "zone", "write", "%s/zone%d.tr2" % (world, z)],
                   input=("\n".join(lines) + "\n").encode(), check=True)
PY

best() {  # best wall, user and system seconds and peak KB of three runs of "$@"
  local best_line=""
  for _ in 1 2 3; do
    rm -rf "$work/back"
    local line
    /usr/bin/time -o "$work/.time" -f '%e %U %S %M' "$@" >/dev/null 2>&1
    line="$(tail -1 "$work/.time")"
    if [ -z "$best_line" ] || awk -v a="$line" -v b="$best_line" 'BEGIN{split(a,x," ");split(b,y," ");exit !(x[1]<y[1])}'; then
      best_line="$line"
    fi
  done
  echo "$best_line"
}
cat "$world"/*.tr2 >/dev/null  # into the page cache
echo "world: $zones zones x $per_zone rooms"
read -r ew eu es em <<<"$(best "$build/trellan" world export-mudlet "$world" "$work/map.json")"
echo "export-mudlet:  wall ${ew}s  user ${eu}s  sys ${es}s  peak ${em} KB  ($(($(wc -c <"$work/map.json") / 1048576)) MB of JSON)"
read -r iw iu is im <<<"$(best "$build/trellan" world import-mudlet "$work/map.json" "$work/back")"
echo "import-mudlet:  wall ${iw}s  user ${iu}s  sys ${is}s  peak ${im} KB"
# The imported world merged into the original (every room matches) and a
# world merged into an empty one (every zone is copied), without writing.
"$build/trellan" world import-mudlet "$work/map.json" "$work/theirs" >/dev/null
mkdir -p "$work/empty"
read -r mw mu ms mm <<<"$(best "$build/trellan" world merge "$world" "$work/theirs" --dry-run)"
echo "merge (all match): wall ${mw}s  user ${mu}s  sys ${ms}s  peak ${mm} KB"
read -r cw cu cs cm <<<"$(best "$build/trellan" world merge "$work/empty" "$world" --dry-run)"
echo "merge (all copied): wall ${cw}s  user ${cu}s  sys ${cs}s  peak ${cm} KB"
