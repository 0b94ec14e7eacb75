#!/usr/bin/env bash
# Throughput and latency of trellan --headless on loopback, against a minimal
# poll() relay of the same bytes: 100 MB of MUD text, plain and with MCCP v2,
# and the added latency of one 2 KB server event.
#   bench/relay_throughput.sh [MEGABYTES] [EVENTS]
# TRELLAN_BUILD_DIR picks the build directory (default build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRELLAN_BUILD_DIR:-$root/build}"
if [ ! -x "$build/trellan" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target trellan -j 2
fi
bench="$build/relay_bench"
src="$root/tools/bench-relay/relay_bench.cpp"
if [ ! -x "$bench" ] || [ "$src" -nt "$bench" ]; then
  g++ -std=c++20 -O2 -pthread -o "$bench" "$src" -lz
fi
"$bench" "$build/trellan" "${1:-100}" "${2:-200}"
