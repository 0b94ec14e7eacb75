#!/usr/bin/env bash
# A whole speedwalk through a running trellan, as a player meets it: a world
# of one zone of SIZE x SIZE rooms (default 300 x 300, 90 000 rooms), the
# player at one corner, `гоу застава` to the alias on the far corner. Times
# from the client's command leaving to the first command of the walk
# reaching the MUD server, in a fresh `trellan --headless` each run (the
# world just loaded, as after a start); prints every run and the median.
#   bench/speedwalk_run.sh [SIZE] [RUNS]
# TRELLAN_BUILD_DIR picks the build directory (default build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRELLAN_BUILD_DIR:-$root/build}"
if [ ! -x "$build/trellan" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target trellan -j 2
fi
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT

python3 - "$build/trellan" "${1:-300}" "${2:-5}" "$home" "$root/tools/demo-mud/local.ini" <<'PY'
import json, os, select, signal, socket, statistics, subprocess, sys, time

trellan, size, runs, home, profile = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4], sys.argv[5]
W = lambda text: text.encode("cp1251")
world = "Сетка"
maps = os.path.join(home, "Maps", world)
os.makedirs(maps)

def exits(x, y):
    sides = [("N", x > 0), ("S", x < size - 1), ("E", y < size - 1), ("W", y > 0)]
    return " ".join(word for word, open_ in sides if open_)

def name(x, y):
    return "Перекрёсток" if (x, y) == (0, 0) else "Поле"

lines = []
for x in range(size):
    for y in range(size):
        room = {"Tag": x * size + y + 1, "Hint": name(x, y), "Description": "Ровное поле.",
                "Exits": exits(x, y), "X": x, "Y": y, "L": 0,
                "ChN": x > 0, "ChS": x < size - 1, "ChW": y > 0, "ChE": y < size - 1}
        if (x, y) == (size - 1, size - 1):
            room["QuickList"] = "застава"
        lines.append(json.dumps(room, ensure_ascii=False))
subprocess.run([trellan, "zone", "write", os.path.join(maps, world + ".tr2")],
               input=("\n".join(lines) + "\n").encode(), check=True)
with open(os.path.join(home, "trellan.ini"), "wb") as f:
    f.write(b"[Options]\r\nWorld=" + W(world) + b"\r\nSpeedWalkLength=10\r\nMaxSpeedWalkLength=10000\r\n")
template = open(profile, "rb").read()

def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]

def read_until(sock, marker, timeout=30.0):
    data, end = b"", time.monotonic() + timeout
    while marker not in data:
        if not select.select([sock], [], [], max(0.0, end - time.monotonic()))[0]:
            raise SystemExit("timed out waiting for %r; got %r" % (marker, data[-200:]))
        chunk = sock.recv(65536)
        if not chunk:
            raise SystemExit("connection closed waiting for %r" % marker)
        data += chunk
    return data

def room_text(x, y):
    return (b"\033[1;36m" + W(name(x, y)) + b"\033[0m\r\n   " + W("Ровное поле.") + b"\r\n\033[36m[ Exits: " +
            exits(x, y).encode() + b" ]\r\n\033[0m\r\n<30H 90M> \xff\xf9")

timings = []
for run in range(runs):
    client_port = free_port()
    text = template.replace(b"Client Port=4999", b"Client Port=%d" % client_port)
    with open(os.path.join(home, "local.ini"), "wb") as f:
        f.write(text)
    # The world's own profile, written at the last run's end, would name that run's port.
    if os.path.exists(os.path.join(maps, "local.ini")):
        os.remove(os.path.join(maps, "local.ini"))
    mud = socket.socket()
    mud.bind(("127.0.0.1", 0))
    mud.listen(1)
    started = time.monotonic()
    proc = subprocess.Popen([trellan, "--headless", "--home", home, "--server", "127.0.0.1:%d" % mud.getsockname()[1]],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    listening = proc.stdout.readline()  # listening: the world is loaded
    if b"listens" not in listening:
        raise SystemExit("trellan did not start: %r" % listening)
    loaded = time.monotonic() - started
    for attempt in range(100):  # the listening socket may still be opening
        try:
            client = socket.create_connection(("127.0.0.1", client_port))
            break
        except ConnectionRefusedError:
            time.sleep(0.05)
    else:
        raise SystemExit("trellan does not listen on %d" % client_port)
    server, _ = mud.accept()
    time.sleep(0.2)
    client.sendall(b"look\r\n")
    read_until(server, b"look\r\n")
    server.sendall(room_text(0, 0))
    read_until(client, b"\xff\xf9")
    time.sleep(0.2)
    sent = time.perf_counter()
    client.sendall(W("гоу застава") + b"\r\n")
    first = read_until(server, b"\r\n")
    took = (time.perf_counter() - sent) * 1000
    if not first.startswith(b"s\r\n") and not first.startswith(b"e\r\n"):
        raise SystemExit("unexpected first command %r" % first[:40])
    timings.append(took)
    print("run %d: world loaded and listening after %.2f s; гоу to the first step at the server: %.2f ms"
          % (run + 1, loaded, took))
    client.close()
    proc.send_signal(signal.SIGTERM)
    proc.wait()
    server.close()
    mud.close()
print("%d rooms, median %.2f ms, best %.2f ms" % (size * size, statistics.median(timings), min(timings)))
PY
