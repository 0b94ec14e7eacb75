#!/usr/bin/env bash
# The Debian package as a user gets it: built from the build directory,
# unpacked with dpkg -x into a scratch root, and run from there: the version,
# a map tool, and a headless run whose home lands under XDG_DATA_HOME (the
# unpacked usr/bin, writable here, must not become the home).
#   tests/scripts/package_test.sh BUILD_DIR
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "$1" && pwd)"
tmp="$(mktemp -d)"
trellan_pid=""
cleanup() {
  if [ -n "$trellan_pid" ]; then kill "$trellan_pid" 2>/dev/null || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

deb="$(TRELLAN_BUILD_DIR="$build" TRELLAN_PACKAGE_NO_BUILD=1 "$root/scripts/package" | tail -1)"
case "$deb" in
  */trellan_*_*.deb) ;;
  *) fail "no package: $deb" ;;
esac
scratch="$tmp/root"
dpkg -x "$deb" "$scratch"
for f in usr/bin/trellan usr/bin/trellan-demo-mud usr/share/trellan/language.en.ini usr/share/trellan/help.ru.html \
  usr/share/applications/trellan.desktop usr/share/icons/hicolor/scalable/apps/trellan.svg \
  usr/share/icons/hicolor/256x256/apps/trellan.png usr/share/man/man1/trellan.1.gz \
  usr/share/doc/trellan/copyright; do
  [ -e "$scratch/$f" ] || fail "the package lacks /$f"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6 || fail "no Qt in Depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Recommends | grep -q qt6-translations-l10n || fail "Qt's Russian texts not recommended"

trellan="$scratch/usr/bin/trellan"
version="$("$trellan" --version)"
[ "$version" = "trellan $(dpkg-deb -f "$deb" Version)" ] || fail "--version says \"$version\""

printf '%s\n' '{"Tag":1,"Hint":"Square","X":0,"Y":0,"L":0}' '{"Tag":2,"Hint":"Gate","X":-1,"Y":0,"L":0}' |
  "$trellan" zone write "$tmp/zone.tr2" || fail "zone write"
dump="$("$trellan" zone dump "$tmp/zone.tr2")"
[ "$(grep -c '"Tag":' <<<"$dump")" = 2 ] || fail "zone dump printed: $dump"
grep -q '"Hint":"Gate"' <<<"$dump" || fail "zone dump lost a room: $dump"

# Headless from the scratch root with a home of its own under XDG.
mkdir -p "$tmp/xdg" "$tmp/user"
(
  cd "$scratch"
  unset TRELLAN_HOME DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
  export XDG_DATA_HOME="$tmp/xdg" HOME="$tmp/user"
  exec ./usr/bin/trellan --headless --language en >"$tmp/headless.out" 2>"$tmp/headless.err"
) &
trellan_pid=$!
for _ in $(seq 100); do
  grep -q "Trellan listens" "$tmp/headless.out" 2>/dev/null && break
  kill -0 "$trellan_pid" 2>/dev/null || break
  sleep 0.1
done
grep -q "Trellan listens" "$tmp/headless.out" || fail "headless did not start: $(cat "$tmp/headless.err")"
kill -TERM "$trellan_pid"
wait "$trellan_pid" || fail "headless stopped with status $?"
trellan_pid=""
[ -f "$tmp/xdg/trellan/trellan.ini" ] || fail "no trellan.ini under XDG_DATA_HOME: $(ls -R "$tmp/xdg")"
[ ! -e "$scratch/usr/bin/trellan.ini" ] || fail "the home was made in usr/bin"
echo "package test passed: $deb"
