#!/usr/bin/env python3
"""Peak resident memory of trellan --headless while a scripted MUD server sends
an MCCP v2 compression bomb (numbered lines, about 36:1) to a client that
reads about 30 MB/s, and to one that reads nothing for 10 s and then reads
everything. Every byte the client gets is checked against what was sent.

  bench/mccp_bomb_memory.py [MEGABYTES ...]      (default: 200 800)

TRELLAN_BUILD_DIR picks the build directory (default build/). Peak memory is
the kernel's high-water mark (VmHWM) of the trellan process.
"""
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
import zlib

LINE = 102
BATCH = 20000  # lines per generated block


def lines(start, count):
    return b"".join(b"%010d" % i + b"=" * 90 + b"\r\n" for i in range(start, start + count))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def status_kb(pid, field):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith(field):
                return int(line.split()[1])
    return -1


def run(binary, megabytes, mode):
    total_lines = megabytes * 1000 * 1000 // LINE // BATCH * BATCH
    home = tempfile.mkdtemp(prefix="trellan-bomb-")
    client_port = free_port()
    with open(os.path.join(home, "local.ini"), "wb") as f:
        f.write(b"[Connect]\r\nClient Port=%d\r\n" % client_port)
    mud = socket.socket()
    mud.bind(("127.0.0.1", 0))
    mud.listen(1)
    server = "127.0.0.1:%d" % mud.getsockname()[1]
    proc = subprocess.Popen([binary, "--headless", "--home", home, "--server", server], stdout=subprocess.PIPE)
    proc.stdout.readline()
    client = socket.create_connection(("127.0.0.1", client_port))
    conn, _ = mud.accept()

    def serve():
        deflate = zlib.compressobj(6)
        conn.sendall(b"\xff\xfb\x56\xff\xfa\x56\xff\xf0")
        for start in range(0, total_lines, BATCH):
            conn.sendall(deflate.compress(lines(start, BATCH)))
        conn.sendall(deflate.flush(zlib.Z_SYNC_FLUSH))

    writer = threading.Thread(target=serve, daemon=True)
    started = time.monotonic()
    writer.start()
    # The banner first.
    banner = b""
    while not banner.endswith(b"online\x1b[0m"):
        banner += client.recv(1)
    if mode == "stall":
        time.sleep(10)
    rate = 30e6 if mode == "slow" else None
    pending = b""
    checked = 0
    block = BATCH * LINE
    read_start = time.monotonic()
    received = 0
    ok = True
    while checked < total_lines:
        data = client.recv(1 << 16)
        if not data:
            ok = False
            break
        received += len(data)
        pending += data
        while len(pending) >= block and checked < total_lines:
            if pending[:block] != lines(checked, BATCH):
                ok = False
                checked = total_lines
                break
            pending = pending[block:]
            checked += BATCH
        if rate:
            ahead = received / rate - (time.monotonic() - read_start)
            if ahead > 0:
                time.sleep(ahead)
    elapsed = time.monotonic() - started
    peak = status_kb(proc.pid, "VmHWM:")
    writer.join(5)
    proc.terminate()
    proc.wait()
    client.close()
    conn.close()
    mud.close()
    shutil.rmtree(home, ignore_errors=True)
    print("%5d MB bomb, %-5s client: peak RSS %6.1f MB, %s, %.1f s" %
          (megabytes, mode, peak / 1024.0, "all bytes in order" if ok else "BYTES DIFFER", elapsed))
    sys.stdout.flush()
    return ok


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    build = os.environ.get("TRELLAN_BUILD_DIR", os.path.join(root, "build"))
    binary = os.path.join(build, "trellan")
    sizes = [int(a) for a in sys.argv[1:]] or [200, 800]
    ok = True
    for megabytes in sizes:
        for mode in ("slow", "stall"):
            ok = run(binary, megabytes, mode) and ok
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
