#!/usr/bin/python3
"""The engine's speed beside python3, in one run, as ratios.

Usage: /usr/bin/python3 bench/engine_vs_python.py [BUILD_DIR] [ROUNDS]

Each row runs the same work as a whole vesk process and as a whole python3
process (this interpreter, sys.executable: run it with Debian's
/usr/bin/python3, not a shim that adds its own start-up). Runs are
interleaved, ROUNDS of each (default 3), and the median of the child's cpu
time (user + system, from wait4) is shown. The start-up rows have no
anchor; their targets are absolute. The last rows compare the peak RSS of
the tail loop at 10^6 and 10^7 iterations: constant memory means equal.
"""
import os
import statistics
import subprocess
import sys
import tempfile

build = sys.argv[1] if len(sys.argv) > 1 else "build"
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
vesk = os.path.join(build, "vesk")
here = os.path.dirname(os.path.abspath(__file__))
python = sys.executable

FIB = "def fib(n):\n    return n if n < 2 else fib(n - 1) + fib(n - 2)\nfib(27)\n"
LOOP = "n, s = 10000000, 0\nwhile n >= 1:\n    s += n\n    n -= 1\n"
SUM = (
    "import sys, threading\nsys.setrecursionlimit(2000000)\nthreading.stack_size(1 << 29)\n"
    "def tot(n):\n    return 0 if n < 1 else n + tot(n - 1)\n"
    "t = threading.Thread(target=lambda: tot(1000000))\nt.start()\nt.join()\n"
)


def run(argv):
    """Runs argv with its output dropped; returns (cpu seconds, peak KiB)."""
    with open(os.devnull, "wb") as null:
        child = subprocess.Popen(argv, stdout=null, stderr=null)
        _, _, usage = os.wait4(child.pid, 0)
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def startup_program(path):
    """A generated program of 5,000 definitions, about 1.1 MB, written the way
    people write them (multi-letter parameters, lets, pattern lets, a quote,
    a call into the next definition): the start-up row loads and checks it,
    and its main expression does almost nothing."""

    def name(i):
        text = "fn"
        for _ in range(4):
            text += chr(ord("a") + i % 26)
            i //= 26
        return text

    parts = ["a\\0"]
    for i in range(5000):
        nxt = name(i + 1) if i + 1 < 5000 else "K"
        parts.append(
            "," + name(i) + "\\items\\total\\count\\pair{V items total}first rest{pair}"
            "step{V(first K)(rest H)}V(" + nxt + " first rest count)(K(total `(items total)) step)"
            "(S K K(V count items)(B(C V total)first rest))"
            "(D step first rest(E items total count first rest))"
        )
    with open(path, "w") as out:
        out.write("".join(parts))


def main():
    work = tempfile.mkdtemp(prefix="vesk_bench_")
    big = os.path.join(work, "start.vk")
    tiny = os.path.join(work, "tiny.vk")
    startup_program(big)
    with open(tiny, "w") as out:
        out.write("a\\0")
    rows = [
        ("naive fib 27", [vesk, os.path.join(here, "programs/fib27.vk")], [python, "-c", FIB], 2.0),
        ("tail loop 10^7", [vesk, os.path.join(here, "programs/loop10m.vk")], [python, "-c", LOOP], 4.0),
        ("non-tail sum 10^6", [vesk, os.path.join(here, "programs/sum1m.vk")], [python, "-c", SUM], 1.0),
        ("start-up, 5,000 definitions", [vesk, big], None, 0.020),
        ("start-up, a\\0", [vesk, tiny], None, 0.002),
    ]
    times = {label: ([], []) for label, *_ in rows}
    for _ in range(rounds):
        for label, ours, theirs, _ in rows:
            times[label][0].append(run(ours)[0])
            if theirs:
                times[label][1].append(run(theirs)[0])
    print(f"cpu seconds, median of {rounds} interleaved runs; anchor {python}")
    print(f"{'work':<30} {'vesk':>8} {'python3':>8} {'ratio':>7} {'target':>9}  met")
    for label, _, theirs, target in rows:
        ours = statistics.median(times[label][0])
        if theirs:
            anchor = statistics.median(times[label][1])
            ratio = ours / anchor
            print(f"{label:<30} {ours:8.3f} {anchor:8.3f} {ratio:6.2f}x {target:8.1f}x  {'yes' if ratio <= target else 'no'}")
        else:
            print(f"{label:<30} {ours:8.4f} {'':>8} {'':>7} {target:8.3f}s  {'yes' if ours <= target else 'no'}")
    small = run([vesk, os.path.join(here, "programs/loop1m.vk")])[1]
    large = run([vesk, os.path.join(here, "programs/loop10m.vk")])[1]
    print(f"tail loop peak RSS: 10^6 {small} KiB, 10^7 {large} KiB "
          f"({'within' if abs(large - small) <= small * 0.1 else 'beyond'} 10%)")


if __name__ == "__main__":
    main()
