#!/usr/bin/env python3
"""Peak memory of the size-guarded operations, beside their anchor.

Usage: bench/memory_limits.py [BUILD_DIR] [MiB]

Repeating a one-byte text N times must cost about the N bytes of its
result. Each row runs one process and reads its peak resident set from the
kernel (ru_maxrss of the child): vesk on `(x\\7)([1]*N)`, which builds the
text and drops it, and the anchor, python3 building the same N bytes with
b"1" * N, in the same run. Also shown: the start-up of both, and how long
vesk takes to refuse 10^4294967296 (one digit past the power guard).
"""
import os
import resource
import subprocess
import sys
import tempfile
import time

build = sys.argv[1] if len(sys.argv) > 1 else "build"
mib = int(sys.argv[2]) if len(sys.argv) > 2 else 256
vesk = os.path.join(build, "vesk")
n = mib << 20


def peak_kib(argv):
    """Runs argv alone and returns its peak RSS in KiB and wall seconds."""
    start = time.monotonic()
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.execvp(argv[0], argv)
    _, status, usage = os.wait4(pid, 0)
    return usage.ru_maxrss, time.monotonic() - start, os.waitstatus_to_exitcode(status)


with tempfile.TemporaryDirectory() as tmp:
    def program(name, text):
        path = os.path.join(tmp, name)
        with open(path, "w") as f:
            f.write(text)
        return path

    rows = [
        ("vesk start-up", [vesk, program("seven.vk", "a\\7")]),
        ("python3 start-up", [sys.executable, "-c", "pass"]),
        (f"vesk [1]*{n}", [vesk, program("repeat.vk", f"a\\(x\\7)([1]*{n})")]),
        (f"python3 b'1'*{n}", [sys.executable, "-c", f"x = b'1' * {n}"]),
        ("vesk 10^4294967296 (refused)", [vesk, program("power.vk", "a\\10^4294967296")]),
    ]
    print(f"{'run':<34} {'peak RSS KiB':>12} {'wall s':>8} {'status':>6}")
    for name, argv in rows:
        kib, wall, status = peak_kib(argv)
        print(f"{name:<34} {kib:>12} {wall:>8.2f} {status:>6}")
    print(f"result size: {n // 1024} KiB")
