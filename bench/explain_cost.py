#!/usr/bin/python3
"""What `vesk --explain` costs when it is off, beside python3, in one run.

Usage: /usr/bin/python3 bench/explain_cost.py [BUILD_DIR] [BASELINE_VESK] [ROUNDS]

The explanation's hooks are one pointer test per built-in call and per
global unfolded. Each row runs one workload as a whole process: vesk with
the explanation off (as every run is unless asked), python3 on the same
work (the anchor: Debian's /usr/bin/python3), and vesk with --explain on,
for comparison. With BASELINE_VESK, a vesk built without the hooks (from
the commit before them), that binary runs too: its column beside the "off"
one is the whole off cost. Runs are interleaved, ROUNDS of each (default
5), and the median cpu time (user + system) is shown; ratios are over
python3. Every run's output is checked; a wrong one marks its row WRONG
and the script exits 1.

Times on a shared machine move by several per cent from run to run, more
than the hooks can cost. With BASELINE_VESK and valgrind installed, the
last lines count the instructions of one run of the first two rows under
callgrind, off and baseline: an exact figure, the same on every run.
"""
import os
import re
import shutil
import statistics
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build"
baseline = sys.argv[2] if len(sys.argv) > 2 and sys.argv[2] else None
rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 5
vesk = os.path.join(build, "vesk")
here = os.path.dirname(os.path.abspath(__file__))
works = os.path.join(here, "workloads")
python = sys.executable

FIB = "def fib(n):\n    return n if n < 2 else fib(n - 1) + fib(n - 2)\nprint(fib(25))\n"
# (label, vesk program, python command, expected output)
ROWS = [
    ("merge sort 10^5", [os.path.join(works, "merge_sort.vk")],
     [os.path.join(works, "merge_sort.py")], "387914880\n"),
    ("queens 9", [os.path.join(works, "queens.vk")], [os.path.join(works, "queens.py")], "352\n"),
    ("map, filter, fold 10^6", [os.path.join(works, "map_filter.vk")],
     [os.path.join(works, "map_filter.py")], "750001500000\n"),
    ("compose, 10^6 calls", [os.path.join(works, "compose.vk")],
     [os.path.join(works, "compose.py")], "199998\n"),
]


def cpu_seconds(argv):
    """Runs argv; returns (cpu seconds, stdout text)."""
    env = dict(os.environ)
    env.pop("VESK_EXPLAIN", None)
    with open(os.devnull, "rb") as source:
        child = subprocess.Popen(argv, stdin=source, stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL, env=env)
        out = child.stdout.read()
        _, _, usage = os.wait4(child.pid, 0)
    child.stdout.close()
    child.returncode = 0
    return usage.ru_utime + usage.ru_stime, out.decode("latin-1")


def instructions(argv):
    """The instructions one run of argv executes, counted by callgrind."""
    out = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"] + argv,
                         stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True).stderr
    return int(re.search(r"Collected : (\d+)", out).group(1))


def count_instructions():
    print("instructions of one run (callgrind)")
    print(f"{'work':<24} {'off':>14} {'base':>14} {'off/base':>9}")
    for label, program, _, _ in ROWS[:2]:
        off, base = instructions([vesk] + program), instructions([baseline] + program)
        print(f"{label:<24} {off:14d} {base:14d} {100 * (off / base - 1):+8.2f}%")


def main():
    sides = {"off": lambda p: [vesk] + p, "python3": lambda p: [python] + p,
             "on": lambda p: [vesk, "--explain"] + p}
    if baseline:
        sides["baseline"] = lambda p: [baseline] + p
    print(f"cpu seconds, median of {rounds} interleaved runs; anchor {python}")
    header = f"{'work':<24} {'off':>7} {'python3':>7} {'off/py':>7} {'on':>7} {'on/off':>7}"
    if baseline:
        header += f" {'base':>7} {'base/py':>7} {'off/base':>8}"
    print(header)
    wrong = False
    for label, program, anchor, expected in ROWS:
        times = {side: [] for side in sides}
        bad = []
        for _ in range(rounds):
            for side, argv in sides.items():
                seconds, out = cpu_seconds(argv(anchor if side == "python3" else program))
                times[side].append(seconds)
                if out != expected:
                    bad.append(f"{side} gave {out!r}")
        med = {side: statistics.median(t) for side, t in times.items()}
        line = (f"{label:<24} {med['off']:7.3f} {med['python3']:7.3f} "
                f"{med['off'] / med['python3']:6.2f}x {med['on']:7.3f} {med['on'] / med['off']:6.2f}x")
        if baseline:
            line += (f" {med['baseline']:7.3f} {med['baseline'] / med['python3']:6.2f}x"
                     f" {100 * (med['off'] / med['baseline'] - 1):+7.1f}%")
        if bad:
            line += "  WRONG: " + "; ".join(sorted(set(bad)))
            wrong = True
        print(line)
    if baseline and shutil.which("valgrind"):
        count_instructions()
    sys.exit(1 if wrong else 0)


if __name__ == "__main__":
    main()
