#!/usr/bin/env bash
# vesk --check: every example passes with status 0 and no output; the
# mistakes people make are each listed with their line and column (status
# 1); a program that fails its checks shows its picture (status 128).
# Usage: check.sh VESK SOURCE_DIR BUILD_DIR.
set -u
vesk=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail=0
report() { echo "FAILED: $1"; fail=1; }

for example in "$src"/examples/*.vk; do
  out=$("$vesk" --check "$example" 2>&1)
  status=$?
  [ $status = 0 ] && [ -z "$out" ] || report "$(basename "$example"): status $status: $out"
done

# expect NAME STATUS PROGRAM-TEXT (printf format) LINE...: the exact output.
expect() {
  local name=$1 want_status=$2 text=$3; shift 3
  printf "$text" > "$name.vk"
  local got status
  got=$("$vesk" --check "$name.vk" 2>"$name.err")
  status=$?
  [ $status = "$want_status" ] || report "$name: status $status, expected $want_status"
  local want=""
  for line in "$@"; do want+="$name.vk:$line"$'\n'; done
  [ "$got"$'\n' = "$want" ] || [ -z "$got" -a -z "$want" ] ||
    report "$name: output was:"$'\n'"$got"$'\n'"expected:"$'\n'"$want"
}

expect crlf 1 'a\\u{fputs(crlf2, stdout)}0,\ncrlf\\cape[ab],\ncrlf2\\crlf+crlf' \
  '1:11: crlf2 is crlf applied to 2: names hold no digits' \
  '3:1: skipped: the name crlf2 holds digits, which names never do, so this segment defines nothing'
expect square 1 'a\\0,\nsq x\\x*x' \
  '2:1: skipped: the head "sq x" is not a name, so this segment defines nothing (a function is written sq\x\...)'
expect line_ends 128 'a\\ff 1,\r\nff\\x\\x+1[a\r\nb]\r\n,gg\\x\\1+x1' \
  '1:8: skipped: a carriage return (a CRLF line end) in its head is no part of a name, so this segment defines nothing' \
  '1:8: a carriage return (a CRLF line end) is a name of its own here; 1 more follow' \
  '4:2: gg is never reached from the main expression' \
  '4:9: x1 is x applied to 1: names hold no digits'
expect segments 1 'a\\ff 1,,ff\\x\\x,ff\\x\\x+1,K\\a\\a,[+]\\dash,1+2' \
  '1:7: an empty segment after this comma defines nothing' \
  '1:9: ff is defined again at line 1, which replaces this definition' \
  '1:25: this definition replaces the prelude'"'"'s combinator K' \
  '1:31: this definition replaces the prelude'"'"'s operator +' \
  '1:40: skipped: this segment has no name\ at its head, so it defines nothing'
expect clean 0 'a\\sq 3,\n[squares, as a note],\nsq\\x\\x*x'
# A program that fails its checks: the findings, then the picture.
expect undefined 128 'a\\sq 3,\nsq x\\x*x' \
  '2:1: skipped: the head "sq x" is not a name, so this segment defines nothing (a function is written sq\x\...)'
grep -q 'Alive function TOP references undefined sq.' undefined.err || report "undefined: no picture: $(cat undefined.err)"
# Nothing runs: a program that would print and exit 7 prints nothing.
expect silent 0 'a\\u{puts(cape[ran])}7'
"$vesk" --check >/dev/null 2>&1; [ $? = 1 ] || report "--check without a file: not status 1"
exit $fail
