#!/usr/bin/env bash
# Runs one end-to-end program: run_program.sh VESK PROGRAM.vk
# Beside PROGRAM.vk: PROGRAM.status (the expected exit status, required),
# PROGRAM.stderr and PROGRAM.stdout (exact expected bytes, optional) and
# PROGRAM.args (arguments, one per line, optional).
# The expected stderr bytes hold the colour sequences, so colour is forced
# on; the debug log goes to ctest's choice or a scratch folder, never to the
# shared file.
set -u
export VESK_COLOR=always
scratch=$(mktemp -d)
export VESK_DEBUG_LOG=${VESK_DEBUG_LOG:-$scratch/debug.log}
vesk=$1
program=$2
stem=${program%.vk}
args=()
if [ -f "$stem.args" ]; then
  mapfile -t args < "$stem.args"
fi
out=$(mktemp) err=$(mktemp)
trap 'rm -rf "$out" "$err" "$scratch"' EXIT
"$vesk" "$program" "${args[@]}" >"$out" 2>"$err" </dev/null
status=$?
fail=0
expected=$(cat "$stem.status")
if [ "$status" != "$expected" ]; then
  echo "exit status $status, expected $expected"; fail=1
fi
for stream in stdout stderr; do
  file=$out; [ $stream = stderr ] && file=$err
  if [ -f "$stem.$stream" ] && ! cmp -s "$file" "$stem.$stream"; then
    echo "$stream differs:"; diff <(cat -v "$stem.$stream") <(cat -v "$file") | head -20; fail=1
  fi
done
if [ $fail != 0 ]; then echo "stderr was:"; cat -v "$err" | head -20; fi
exit $fail
