#!/usr/bin/env bash
# Runs every fuzz target for a bounded time: fuzz/run.sh BUILD SECONDS.
# BUILD holds the targets (cmake -DVESK_FUZZ=ON with clang). Each target's
# corpus grows in BUILD/corpus/NAME, seeded from the example programs, the
# end-to-end programs and the kept regressions; a failing input lands in
# BUILD/findings/. Fails when any target reports a crash, a sanitizer
# finding, an assertion, a leak or a timeout.
set -u
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
failed=0
for target in whole_path parse_print arithmetic compiled; do
  corpus=$build/corpus/$target
  mkdir -p "$corpus" "$build/findings"
  seeds=()
  options=()
  if [ $target = arithmetic ]; then
    seeds+=("$root/fuzz/seeds/arithmetic")
  else
    seeds+=("$root/examples")
    cp "$root"/tests/programs/*.vk "$corpus"/ 2>/dev/null
    options+=(-dict="$root/fuzz/vesk.dict")
  fi
  [ -d "$root/fuzz/regressions/$target" ] && seeds+=("$root/fuzz/regressions/$target")
  echo "== fuzz_$target for $seconds s"
  "$build/fuzz_$target" "${options[@]}" -max_total_time="$seconds" -max_len=4096 -timeout=30 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
      "$corpus" "${seeds[@]}" > "$build/fuzz_$target.log" 2>&1
  status=$?
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)|^Done' "$build/fuzz_$target.log"
  grep -E 'cov: [0-9]+' "$build/fuzz_$target.log" | tail -1 | sed -E 's/.*(cov: [0-9]+ ft: [0-9]+).*/\1/'
  if [ $status -ne 0 ]; then
    echo "fuzz_$target FAILED (status $status); see $build/fuzz_$target.log"
    grep -E 'FINDING|ERROR|ASSERTION|SUMMARY|Test unit written' "$build/fuzz_$target.log" | head -10
    failed=1
  fi
done
exit $failed
