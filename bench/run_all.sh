#!/usr/bin/env bash
# Runs every benchmark: the micro-benchmarks built from bench/*.cpp, then each
# program of bench/programs/ as a whole vesk process (wall time and peak RSS).
set -u
build=${1:-build}
# GNU time gives the peak RSS; Debian's package "time" installs it.
[ -x /usr/bin/time ] || { echo "make bench needs /usr/bin/time: apt-get install -y time"; exit 1; }
here=$(dirname "$0")
for bench in "$build"/bench_*; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench"
done
echo "== memory of the size guards"
/usr/bin/python3 "$here/memory_limits.py" "$build"
echo "== the engine beside python3"
/usr/bin/python3 "$here/engine_vs_python.py" "$build"
echo "== the cost of --explain when off, beside python3"
/usr/bin/python3 "$here/explain_cost.py" "$build" "" 3
echo "== whole programs (wall seconds, peak RSS in KiB, exit status)"
for program in "$here"/programs/*.vk; do
  /usr/bin/time -f "%e s  %M KiB" -o /tmp/vesk_bench_time "$build/vesk" "$program" >/dev/null 2>&1
  status=$?
  printf '%-12s %s  status %d\n' "$(basename "$program" .vk)" "$(cat /tmp/vesk_bench_time | tail -1)" "$status"
done
