#!/usr/bin/env bash
# Hostile inputs, one end-to-end case each: cases.sh VESK NAME runs case
# NAME against the interpreter VESK; cases.sh --list names every case.
# Big inputs are generated here, in a temporary folder, rather than kept in
# the repository. Each case states the exit status it expects and what
# standard error must (or must not) show; no case may end by a signal.
set -u

cases=(nest_parentheses nest_brackets nest_wings open_parentheses open_brackets open_wings
       file_50mb line_10mb nul_and_high_bytes digits_1e6 deep_recursion_1e7
       power_at_guard power_huge_exponent repeat_over_guard
       fifo_program pipe_program dev_zero directory symlink_loop
       out_of_memory_growing out_of_memory_repeat out_of_memory_printing constant_memory_loop
       setbuf_stderr_block setbuf_stdout_block fdopen_standard_error fdopen_standard_output
       out_of_memory_without_colour where_dev_zero)

if [ "${1:-}" = --list ]; then printf '%s\n' "${cases[@]}"; exit 0; fi
vesk=$1
name=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
out=$dir/stdout err=$dir/stderr

# Writes the text of a Python expression (bytes or str) to a file.
gen() {
  python3 - "$1" "$2" <<'EOF'
import sys
value = eval(sys.argv[2])
open(sys.argv[1], 'wb').write(value if isinstance(value, bytes) else value.encode('latin-1'))
EOF
}

# run [ULIMIT_KB] FILE: vesk on FILE, with standard output and error kept.
run() {
  local limit=
  if [ $# -gt 1 ]; then limit=$1; shift; fi
  if [ -n "$limit" ]; then
    (ulimit -v "$limit"; exec "$vesk" "$1") >"$out" 2>"$err" </dev/null
  else
    "$vesk" "$1" >"$out" 2>"$err" </dev/null
  fi
  status=$?
}

fail() { echo "case $name: $*"; echo "stderr was:"; head -c 1500 "$err" | cat -v; exit 1; }
expect_status() { [ "$status" = "$1" ] || fail "exit status $status, expected $1"; }
expect_err() { grep -q -- "$1" "$err" || fail "standard error lacks '$1'"; }
expect_picture() {
  expect_status 128
  head -c 3 "$err" | cmp -s - <(printf '\033[m') || fail "no reset sequence first"
  grep -q "^\\\\/\\\\oh \\[$1\\]" "$err" || fail "no picture with code $1"
  [ ! -s "$out" ] || fail "standard output is not empty"
}
# The ulimit cases cannot run under AddressSanitizer, which reserves far
# more address space than any limit allows.
sanitized() { grep -q -a -e AddressSanitizer -e __asan_init "$vesk"; }
# Runs FILE again under valgrind, where it is installed (not under the
# sanitizers, which it cannot run with): no invalid read or write, and the
# same exit status.
valgrind_clean() {
  command -v valgrind >/dev/null && ! sanitized || return 0
  valgrind -q --error-exitcode=99 "$vesk" "$1" >/dev/null 2>"$dir/valgrind" </dev/null
  local got=$?
  grep -q -e "Invalid read" -e "Invalid write" -e "uninitialised" "$dir/valgrind" &&
    { cat "$dir/valgrind"; fail "valgrind reports an invalid access"; }
  [ "$got" = "$status" ] || { cat "$dir/valgrind"; fail "under valgrind: status $got"; }
}

n=1000000
case $name in
  nest_parentheses) gen $dir/p.vk "'a\\\\' + '('*$n + '1' + ')'*$n"; run $dir/p.vk; expect_status 1 ;;
  nest_brackets) gen $dir/p.vk "'a\\\\' + '['*$n + ']'*$n"; run $dir/p.vk; expect_picture range ;;
  nest_wings) gen $dir/p.vk "'a\\\\' + '{'*$n + '1' + '}'*$n"; run $dir/p.vk; expect_picture funky ;;
  open_parentheses) gen $dir/p.vk "'a\\\\' + '('*$n"; run $dir/p.vk; expect_picture match
    expect_err "left-parenthesis" ;;
  open_brackets) gen $dir/p.vk "'a\\\\' + '['*$n"; run $dir/p.vk; expect_picture match
    expect_err "left-bracket" ;;
  open_wings) gen $dir/p.vk "'a\\\\' + '{'*$n"; run $dir/p.vk; expect_picture match
    expect_err "left-wing" ;;
  file_50mb) gen $dir/p.vk "'a\\\\7,big\\\\[' + 'ab '*17000000 + ']'"; run $dir/p.vk; expect_status 7 ;;
  line_10mb) gen $dir/p.vk "'a\\\\([' + 'x'*10**7 + ']=[' + 'x'*10**7 + '])1 0'"; run $dir/p.vk
    expect_status 1 ;;
  nul_and_high_bytes)
    # Every byte outside square brackets, many times: the loader refuses it
    # with a picture that shows each byte as one glyph.
    gen $dir/p.vk "bytes(range(256))*400"; run $dir/p.vk; expect_status 128
    LC_ALL=C grep -q -a $'[\x01-\x09\x0b-\x1a\x80-\xff]' "$err" && fail "a raw byte in the picture"
    # Inside a text every byte is data.
    gen $dir/q.vk "b'a\\\\(([' + bytes(b for b in range(256) if b not in b'[]')*400 + b']*2)=[' + bytes(b for b in range(256) if b not in b'[]')*800 + b'])1 0'"
    run $dir/q.vk; expect_status 1 ;;
  digits_1e6) gen $dir/p.vk "'a\\\\' + '7'*10**6 + '%10'"; run $dir/p.vk; expect_status 7 ;;
  deep_recursion_1e7)
    # Non-tail recursion ten million deep: the continuation lives on the heap.
    printf 'a\\dep 10000001,dep\\n\\n<1?0?1+dep(n-1)' > $dir/p.vk; run $dir/p.vk; expect_status 129 ;;
  power_at_guard)
    # 10^4294967296 has one digit more than the guard allows: refused at once.
    printf 'a\\10^4294967296' > $dir/p.vk; run $dir/p.vk; expect_picture range; expect_err "<tip> Z" ;;
  power_huge_exponent)
    printf 'a\\2^100000000000000000000' > $dir/p.vk; run $dir/p.vk; expect_picture range
    expect_err "<tip> Z" ;;
  repeat_over_guard)
    printf 'a\\[1]*2147483649' > $dir/p.vk; run $dir/p.vk; expect_picture range; expect_err "<tip> Z" ;;
  fifo_program)
    # A FIFO opened once and read to its end, as `vesk <(printf ...)` needs.
    mkfifo $dir/fifo; (printf 'a\\40+2' > $dir/fifo &); run $dir/fifo; expect_status 42 ;;
  pipe_program)
    printf 'a\\40+2' | "$vesk" /dev/stdin >"$out" 2>"$err"; status=$?; expect_status 42 ;;
  dev_zero)
    run /dev/zero; expect_status 128; grep -q '^Error\.$' "$out" || fail "no Error. line"
    expect_err "Program file is larger than 134217728 bytes." ;;
  directory)
    run $dir; expect_status 128; expect_err "Could not read program file." ;;
  symlink_loop)
    ln -s $dir/b $dir/a; ln -s $dir/a $dir/b; run $dir/a; expect_status 128
    expect_err "Could not read program file." ;;
  out_of_memory_growing)
    sanitized && exit 0
    # A list that grows without end meets the address-space limit.
    printf 'a\\gro 0,gro\\n\\gro (J n n)' > $dir/p.vk; run 300000 $dir/p.vk; expect_picture space
    expect_err "out" ; expect_err "memory" ; expect_err "running" ;;
  out_of_memory_repeat)
    sanitized && exit 0
    # An allowed repetition of 2 GiB is one allocation that fails.
    printf 'a\\(x\\7)([1]*2147483648)' > $dir/p.vk; run 1000000 $dir/p.vk; expect_picture space ;;
  out_of_memory_printing)
    sanitized && exit 0
    # A non-integer result of 2^40 shared halves prints each use in full:
    # the printed text, not the term, is what runs out of memory.
    gen $dir/p.vk "'a\\\\' + 'dup('*40 + '1' + ')'*40 + ',dup\\\\x\\\\V x x'"
    run 300000 $dir/p.vk; expect_picture space ;;
  constant_memory_loop)
    sanitized && exit 0
    # An endless loop that allocates nothing still runs after two seconds
    # under a limit of 100 MB.
    printf 'a\\spin 0,spin\\n\\spin n' > $dir/p.vk
    (ulimit -v 100000; exec timeout 2 "$vesk" $dir/p.vk) >"$out" 2>"$err"; status=$?
    expect_status 124; [ ! -s "$err" ] || fail "standard error is not empty" ;;
  setbuf_stderr_block)
    # The block stderr buffers into outlives its use: the picture after the
    # run is written whole, not through freed memory.
    printf 'a\\b{malloc 8192}u{setbuf(stderr, b)}lisp 1' > $dir/p.vk; run $dir/p.vk
    expect_picture range; expect_err "<tip> \[1\]"; valgrind_clean $dir/p.vk ;;
  setbuf_stdout_block)
    # Freed while stdout buffers into it, and again at the end of the run.
    printf 'a\\b{malloc 8192}u{setbuf(stdout, b)}u{putchar 65}u{free b}u{putchar 66}c{malloc 8192}u{setbuf(stdout, c)}u{putchar 67}0' > $dir/p.vk
    run $dir/p.vk; expect_status 0; [ "$(cat "$out")" = ABC ] || fail "stdout was $(cat -v "$out")"
    valgrind_clean $dir/p.vk ;;
  fdopen_standard_error)
    # The run's own stream over descriptor 2 is closed at its end, but the
    # descriptor stays open for the picture.
    printf 'a\\f{fdopen(2, cape[w])}lisp 1' > $dir/p.vk; run $dir/p.vk
    expect_picture range; valgrind_clean $dir/p.vk ;;
  fdopen_standard_output)
    printf 'a\\f{fdopen(1, cape[w])}u{fputs(cape[to f ], f)}u{puts(cape[hi])}0' > $dir/p.vk
    run $dir/p.vk; expect_status 0
    [ "$(cat "$out")" = "$(printf 'to f hi')" ] || [ "$(cat "$out")" = "$(printf 'hi\nto f ')" ] ||
      fail "stdout was $(cat -v "$out")"
    valgrind_clean $dir/p.vk ;;
  out_of_memory_without_colour)
    sanitized && exit 0
    printf 'a\\sm 1,sm\\n\\n+sm(n+1)' > $dir/p.vk
    (ulimit -v 150000; VESK_COLOR=never exec "$vesk" $dir/p.vk) >"$out" 2>"$err" </dev/null
    status=$?; expect_status 128; grep -q '^\\/\\oh \[space\]' "$err" || fail "no space picture"
    LC_ALL=C grep -q $'\033' "$err" && fail "colour escapes in the picture"
    (ulimit -v 150000; VESK_COLOR=always exec "$vesk" $dir/p.vk) >"$out" 2>"$err" </dev/null
    status=$?; expect_picture space ;;
  where_dev_zero)
    "$vesk" --where ____a /dev/zero >"$out" 2>"$err" </dev/null; status=$?
    expect_status 128; expect_err "Program file is larger than 134217728 bytes." ;;
  *) echo "no case $name"; exit 1 ;;
esac
exit 0
