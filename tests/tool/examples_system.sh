#!/usr/bin/env bash
# The examples that talk to the system, against the real tools: cat.vk
# prints the files named on the command line as cat does (a missing one is
# named on standard error and makes the status 1), and wc.vk counts the
# lines, words and bytes of standard input as wc does, on a few real files.
# Usage: examples_system.sh VESK SOURCE_DIR BUILD_DIR.
set -u
vesk=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
report() { echo "FAILED: $1"; fail=1; }

printf '' > "$work/empty"
printf 'no newline at the end' > "$work/partial"
printf 'tabs\tand  blanks\n\n  lead\n' > "$work/spaces"
files=("$src/README.md" "$src/examples/cat.vk" "$src/docs/language.md" \
       "$work/empty" "$work/partial" "$work/spaces")

"$vesk" "$src/examples/cat.vk" "${files[@]}" > "$work/out" 2> "$work/err"
status=$?
[ $status = 0 ] || report "cat.vk of existing files: status $status"
cat "${files[@]}" | cmp -s - "$work/out" || report "cat.vk output differs from cat"
[ -s "$work/err" ] && report "cat.vk wrote to stderr: $(head -2 "$work/err")"

"$vesk" "$src/examples/cat.vk" "$work/partial" "$work/missing" "$work/empty" > "$work/out" 2> "$work/err"
status=$?
[ $status = 1 ] || report "cat.vk with a missing file: status $status, expected 1"
cmp -s "$work/partial" "$work/out" || report "cat.vk with a missing file: the others not printed"
grep -qF "cat: $work/missing: No such file or directory" "$work/err" ||
  report "cat.vk with a missing file says: $(cat "$work/err")"

for file in "${files[@]}"; do
  want=$(wc -l -w -c < "$file" | awk '{print $1, $2, $3}')
  got=$("$vesk" "$src/examples/wc.vk" < "$file")
  status=$?
  [ $status = 0 ] || report "wc.vk < $file: status $status"
  [ "$got" = "$want" ] || report "wc.vk < $file: '$got', wc says '$want'"
done
exit $fail
