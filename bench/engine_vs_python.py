#!/usr/bin/python3
"""The engine's speed beside python3 (and lua5.4), in one run, as ratios.

Usage: /usr/bin/python3 bench/engine_vs_python.py [BUILD_DIR] [ROUNDS]

Each row runs the same work as a whole vesk process, a whole python3
process (this interpreter, sys.executable: run it with Debian's
/usr/bin/python3, not a shim that adds its own start-up) and, when
`lua5.4` is installed, a whole lua5.4 process ("-" otherwise). Runs are
interleaved, ROUNDS of each (default 3), and the median of the child's cpu
time (user + system, from wait4) is shown; the ratio is vesk over python3.
The start-up rows have no anchor; their targets are absolute.

The workload rows run the programs of bench/workloads/ (NAME.vk, NAME.py,
NAME.lua, one algorithm written three times); the two that read standard
input get a text made by bench/workloads/gen_text.py in a temporary
folder. Every run's output (or, for the first rows, exit status) is checked
against the value the work must give; a run that gives anything else is
marked MISMATCH in its row, and the script then ends with status 1. For
the list workloads the table adds the peak RSS of vesk and python3, and
the last line compares the peak RSS of the tail loop at 10^6 and 10^7
iterations: constant memory means equal. Peak RSS is ru_maxrss of one more
run each, under /usr/bin/time: a child forked by this script keeps this
script's own peak (about 12 MB) in its ru_maxrss across exec, so measured
from here every small program would show this script's size.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile

build = sys.argv[1] if len(sys.argv) > 1 else "build"
rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
vesk = os.path.join(build, "vesk")
here = os.path.dirname(os.path.abspath(__file__))
works = os.path.join(here, "workloads")
python = sys.executable
lua = shutil.which("lua5.4")
sys.path.insert(0, works)
import gen_text  # noqa: E402  (the input of wc and word_freq)

FIB = "def fib(n):\n    return n if n < 2 else fib(n - 1) + fib(n - 2)\nfib(27)\n"
LOOP = "n, s = 10000000, 0\nwhile n >= 1:\n    s += n\n    n -= 1\n"
SUM = (
    "import sys, threading\nsys.setrecursionlimit(2000000)\nthreading.stack_size(1 << 29)\n"
    "def tot(n):\n    return 0 if n < 1 else n + tot(n - 1)\n"
    "t = threading.Thread(target=lambda: tot(1000000))\nt.start()\nt.join()\n"
)
LUA_FIB = "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end fib(27)"
LUA_LOOP = "local n, s = 10000000, 0 while n >= 1 do s = s + n n = n - 1 end"
# No lua row for the non-tail sum: lua5.4 stops with "stack overflow"
# before 10^6 nested calls, so it cannot run the same recursion.

# Checksums each workload prints, the same in all three languages (the
# files say what they compute). wc and word_freq depend on gen_text's text.
EXPECTED = {
    "list_sum": "500000500000\n",
    "map_filter": "750001500000\n",
    "merge_sort": "387914880\n",
    "queens": "352\n",
    "compose": "199998\n",
    "church": "3218141\n",
    "wc": "133770 1256277 10000000\n",
    "word_freq": "1932 37615 222939867\nqua 192\n",
}
WC_BYTES = 10_000_000
WORDS_BYTES = 300_000


class Row:
    """One line of the table: the three commands, what they read, what they
    must give (stdout text, or vesk's exit status for the first rows) and
    the target ratio (or absolute seconds when there is no anchor)."""

    def __init__(self, label, ours, theirs, luas, target, status=0, output=None, stdin=None, rss=False):
        self.label, self.ours, self.theirs, self.luas = label, ours, theirs, luas
        self.target, self.status, self.output, self.stdin, self.rss = target, status, output, stdin, rss
        self.times = {"vesk": [], "python3": [], "lua5.4": []}
        self.peak = {}
        self.wrong = []


def run(argv, stdin=None):
    """Runs argv; returns (cpu seconds, peak KiB, exit status, stdout text)."""
    with open(stdin or os.devnull, "rb") as source:
        child = subprocess.Popen(argv, stdin=source, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        out = child.stdout.read()
        _, wait_status, usage = os.wait4(child.pid, 0)
    child.stdout.close()
    child.returncode = 0  # reaped by wait4; keeps Popen from waiting again
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss, os.waitstatus_to_exitcode(wait_status), out.decode("latin-1")


def measure(row, who, argv):
    """One timed run of one side of a row, its result checked."""
    seconds, peak, status, out = run(argv, row.stdin)
    row.times[who].append(seconds)
    # Only vesk's first rows report through the exit status; every other
    # run must exit 0, and the workloads must print their checksum.
    want_status = row.status if who == "vesk" else 0
    if status != want_status or (row.output is not None and out != row.output):
        row.wrong.append(f"{who}: status {status}, output {out!r}; expected status {want_status}"
                         + (f", output {row.output!r}" if row.output is not None else ""))


def peak_kib(argv, stdin=None):
    """Peak RSS of argv in KiB. /usr/bin/time forks it from its own small
    process, so ru_maxrss is the program's; without /usr/bin/time it is
    wait4's, which also counts this script's pages (shown with a "~")."""
    if not os.path.exists("/usr/bin/time"):
        return f"~{run(argv, stdin)[1]}"
    with tempfile.NamedTemporaryFile("r") as report:
        run(["/usr/bin/time", "-f", "%M", "-o", report.name] + argv, stdin)
        return report.read().split()[-1]


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


def workload(label, name, target=1.0, stdin=None, rss=False):
    """The row of bench/workloads/NAME.*."""
    path = os.path.join(works, name)
    return Row(label, [vesk, path + ".vk"], [python, path + ".py"], lua and [lua, path + ".lua"],
               target, output=EXPECTED[name], stdin=stdin, rss=rss)


def rows_in(work):
    big, tiny = os.path.join(work, "start.vk"), os.path.join(work, "tiny.vk")
    startup_program(big)
    with open(tiny, "w") as out:
        out.write("a\\0")
    ten_mb, words = os.path.join(work, "ten_mb.txt"), os.path.join(work, "words.txt")
    with open(ten_mb, "wb") as out:
        out.write(gen_text.text(WC_BYTES))
    with open(words, "wb") as out:
        out.write(gen_text.text(WORDS_BYTES))
    program = lambda name: os.path.join(here, "programs", name)  # noqa: E731
    # The first rows exit with their result's low 8 bits: fib(27) = 196418,
    # the sums 50000005000000 and 500000500000.
    return [
        Row("naive fib 27", [vesk, program("fib27.vk")], [python, "-c", FIB],
            lua and [lua, "-e", LUA_FIB], 0.5, status=196418 % 256),
        Row("tail loop 10^7", [vesk, program("loop10m.vk")], [python, "-c", LOOP],
            lua and [lua, "-e", LUA_LOOP], 0.5, status=50000005000000 % 256),
        Row("non-tail sum 10^6", [vesk, program("sum1m.vk")], [python, "-c", SUM], None, 0.5,
            status=500000500000 % 256),
        Row("start-up, 5,000 definitions", [vesk, big], None, None, 0.020),
        Row("start-up, a\\0", [vesk, tiny], None, None, 0.002),
        workload("list 1..10^6, sum", "list_sum", rss=True),
        workload("map, filter, fold 10^6", "map_filter", rss=True),
        workload("merge sort 10^5", "merge_sort", rss=True),
        workload("queens 9 (352)", "queens"),
        workload("compose, 10^6 calls", "compose"),
        workload("church numerals", "church"),
        workload("wc of 10 MB, getchar", "wc", stdin=ten_mb),
        workload("word counts, 300 KB tree", "word_freq", stdin=words),
    ]


def print_table(rows):
    print(f"cpu seconds, median of {rounds} interleaved runs; anchor {python}; lua5.4 {lua or 'not installed'}")
    print(f"{'work':<28} {'vesk':>7} {'python3':>7} {'lua5.4':>7} {'ratio':>7} {'target':>7}  {'met':<8}"
          f" {'vesk KiB':>9} {'py KiB':>8}")
    for row in rows:
        ours = statistics.median(row.times["vesk"])
        lua_cell = f"{statistics.median(row.times['lua5.4']):7.3f}" if row.times["lua5.4"] else f"{'-':>7}"
        if row.theirs:
            anchor = statistics.median(row.times["python3"])
            ratio = ours / anchor
            met = "yes" if ratio <= row.target else "no"
            cells = f"{ours:7.3f} {anchor:7.3f} {lua_cell} {ratio:6.2f}x {row.target:6.1f}x"
        else:
            met = "yes" if ours <= row.target else "no"
            cells = f"{ours:7.4f} {'':>7} {'':>7} {'':>7} {row.target:6.3f}s"
        if row.wrong:
            met = "MISMATCH"
        memory = f" {row.peak['vesk']:>9} {row.peak['python3']:>8}" if row.rss else ""
        print(f"{row.label:<28} {cells}  {met:<8}{memory}")


def main():
    work = tempfile.mkdtemp(prefix="vesk_bench_")
    try:
        rows = rows_in(work)
        for done in range(rounds):
            print(f"round {done + 1} of {rounds}", file=sys.stderr, flush=True)
            for row in rows:
                measure(row, "vesk", row.ours)
                if row.theirs:
                    measure(row, "python3", row.theirs)
                if row.luas:
                    measure(row, "lua5.4", row.luas)
        for row in rows:
            if row.rss:
                row.peak = {"vesk": peak_kib(row.ours, row.stdin), "python3": peak_kib(row.theirs, row.stdin)}
        print_table(rows)
        small = peak_kib([vesk, os.path.join(here, "programs/loop1m.vk")])
        large = peak_kib([vesk, os.path.join(here, "programs/loop10m.vk")])
        kib = lambda text: int(text.lstrip("~"))  # noqa: E731
        print(f"tail loop peak RSS: 10^6 {small} KiB, 10^7 {large} KiB "
              f"({'within' if abs(kib(large) - kib(small)) <= kib(small) * 0.1 else 'beyond'} 10%)")
    finally:
        shutil.rmtree(work)
    wrong = [(row.label, why) for row in rows for why in row.wrong]
    if wrong:
        print("\n*** MISMATCH: these runs did not give the expected result ***", file=sys.stderr)
        for label, why in wrong:
            print(f"*** {label}: {why}", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
