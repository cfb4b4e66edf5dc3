#!/usr/bin/env bash
# Exact integer arithmetic: vesk's number leaves against GNU bc, side by side
# in one run, on the same operands. Usage: bench/numbers_vs_bc.sh [BUILD_DIR]
#
# Both sides are measured in CPU time. Ours is timed inside
# bench_numbers_vs_bc (best of 7, from operand leaves to the result text).
# bc's is the best of 3 whole runs (1 when a run takes over 2 s) less the
# best of 3 runs that only read the same operands, so that bc's start-up and
# parsing are not charged to it. Both print all the digits of each result,
# and the table says whether they are the same.
set -euo pipefail
build=${1:-build}
ours=$build/bench_numbers_vs_bc
command -v bc >/dev/null || { echo "GNU bc is not installed"; exit 1; }
[ -x "$ours" ] || { echo "build $ours first"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$ours" --emit "$tmp"
export BC_LINE_LENGTH=0

# Best CPU time (user + system) of three runs of bc on a script, in
# microseconds; a run of more than two seconds is not repeated. CPU time,
# not wall time, so that other work on a shared machine counts less.
bc_us() {
  local best=
  for _ in 1 2 3; do
    if [ -n "$best" ] && [ "$best" -gt 2000000 ]; then break; fi
    local times us
    times=$( { TIMEFORMAT='%3U %3S'; time bc -q "$1" >/dev/null; } 2>&1 )
    us=$(awk -v t="$times" 'BEGIN { split(t, f, " "); printf "%d", (f[1] + f[2]) * 1e6 }')
    if [ -z "$best" ] || [ "$us" -lt "$best" ]; then best=$us; fi
  done
  echo "$best"
}

printf '%-10s %12s %12s %9s  %s\n' row "vesk ms" "bc ms" "bc/vesk" "same digits"
for row in power product factorial division; do
  our_ms=$("$ours" --time "$row")
  work=$(bc_us "$tmp/$row.bc")
  base=$(bc_us "$tmp/$row.base.bc")
  bc_ms=$(awk -v w="$work" -v b="$base" 'BEGIN { d = (w - b) / 1000; if (d < 0) d = 0; printf "%.2f", d }')
  ours_sum=$("$ours" --digits "$row" | sha256sum | cut -c1-16)
  bc_sum=$(bc -q "$tmp/$row.bc" | sha256sum | cut -c1-16)
  same=no; [ "$ours_sum" = "$bc_sum" ] && same="yes ($ours_sum)"
  ratio=$(awk -v o="$our_ms" -v b="$bc_ms" 'BEGIN { if (o > 0) printf "%.1fx", b / o; else print "-" }')
  printf '%-10s %12s %12s %9s  %s\n' "$row" "$our_ms" "$bc_ms" "$ratio" "$same"
done
