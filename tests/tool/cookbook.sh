#!/usr/bin/env bash
# The cookbook of docs/language.md: every recipe in examples/cook_*.vk runs
# on its input and must print exactly what the guide says, with its status.
# Usage: cookbook.sh VESK SOURCE_DIR BUILD_DIR.
set -u
vesk=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
ran=0

# recipe NAME STATUS INPUT EXPECTED [ARGS...]: INPUT and EXPECTED are printf formats.
recipe() {
  local name=$1 want_status=$2 input=$3 want=$4; shift 4
  ran=$((ran + 1))
  printf -- "$input" > "$work/in"
  printf -- "$want" > "$work/want"
  "$vesk" "$src/examples/$name.vk" "$@" < "$work/in" > "$work/out" 2> "$work/err"
  local status=$?
  [ $status = "$want_status" ] || { echo "FAILED: $name: status $status, expected $want_status"; fail=1; }
  cmp -s "$work/out" "$work/want" ||
    { echo "FAILED: $name printed:"; cat -v "$work/out"; echo "expected:"; cat -v "$work/want"; fail=1; }
}

printf 'one two\nthree\n' > "$work/file.txt"
recipe cook_read_whole 0 '' '14\none two\nthree\n' "$work/file.txt"
recipe cook_read_whole 1 '' '' "$work/missing.txt"
recipe cook_lines 0 '' '1: one two\n2: three\n' "$work/file.txt"
recipe cook_words 0 '  the cat\n saw\tthe  dog ' 'the\ncat\nsaw\nthe\ndog\n'
recipe cook_print 0 '' '1234\n-56\n0\n'
recipe cook_sort 0 '' '-5\n1\n2\n3\n7\n10\n' 3 1 2 -5 10 7
recipe cook_dictionary 0 'b a c a b a\nzed\n' 'a 3\nb 2\nc 1\nzed 1\n'
recipe cook_args 0 '' '0: x\n1: y z\n2 arguments\n' x 'y z'
recipe cook_exit 3 '' 'hello, you\n' you
recipe cook_exit 2 '' ''
recipe cook_stdin 0 'Hi there\n' 'HI THERE\n'
# Every recipe file is run above.
for file in "$src"/examples/cook_*.vk; do
  name=$(basename "$file" .vk)
  grep -q "^recipe $name " "$0" || { echo "FAILED: $name is not run by this test"; fail=1; }
done
echo "$ran recipe runs"
exit $fail
