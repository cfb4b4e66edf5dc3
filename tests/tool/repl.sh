#!/usr/bin/env bash
# vesk --repl end to end: through a pseudo-terminal (repl_pty.py), and with
# entries on a pipe, where no prompt is shown and each value is one line.
# Usage: repl.sh VESK SOURCE_DIR BUILD_DIR; 77 (skipped) without python3.
set -u
vesk=$1 src=$2
[ -x /usr/bin/python3 ] || { echo "python3 is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
/usr/bin/python3 "$src/tests/tool/repl_pty.py" "$vesk" "$work" || fail=1

printf 'a\\0,\nhalf\\x\\x/2' > "$work/lib.vk"
got=$(printf 'half 84\nhalf\\x\\x/3\nhalf 84\ncc\\(1/0)+road([0,half\\1])\ncc\ncc\n0-5\ndbl 4,dbl\\x\\x*2\nhalf\\x\\x/4\ndbl(half 84)\n' |
      VESK_COLOR=never "$vesk" --repl "$work/lib.vk" 2>"$work/err")
status=$?
want=$'42\n28\n05\n8\n42'
[ $status = 0 ] || { echo "FAILED: piped session: status $status"; fail=1; }
[ "$got" = "$want" ] || { echo "FAILED: piped session printed: $got"; fail=1; }
# A constant whose run failed is computed afresh next time, not a cycle.
[ "$(grep -c 'Attempt to redefine function half using the road function.' "$work/err")" = 2 ] ||
  { echo "FAILED: piped session errors: $(cat "$work/err")"; fail=1; }
grep -q cycle "$work/err" && { echo "FAILED: a failed constant became a cycle"; fail=1; }
# A file that fails its checks ends the session before it starts.
printf 'a\\nosuch' > "$work/bad.vk"
"$vesk" --repl "$work/bad.vk" </dev/null >/dev/null 2>"$work/err"
[ $? = 128 ] && grep -q 'Alive function TOP references undefined nosuch.' "$work/err" ||
  { echo "FAILED: a file that fails its checks: $(cat "$work/err")"; fail=1; }
exit $fail
