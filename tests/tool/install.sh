#!/usr/bin/env bash
# Installs into a scratch prefix, as `make install PREFIX=...` does, then runs
# the installed binary and reads the installed man page with man -l.
# Usage: install.sh VESK SOURCE_DIR BUILD_DIR. Exits 77 (skipped) without man.
set -u
build=$3
command -v man >/dev/null || { echo "man is not installed"; exit 77; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail=0
check() {  # check DESCRIPTION COMMAND...: runs COMMAND, reports a failure
  local what=$1; shift
  if ! "$@"; then echo "FAILED: $what"; fail=1; fi
}

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "cmake --install failed"; exit 1; }
for file in bin/vesk share/man/man1/vesk.1 share/doc/vesk/README.md \
            share/doc/vesk/language.md share/doc/vesk/running.md \
            share/doc/vesk/builtins.md share/doc/vesk/numbs.md \
            share/doc/vesk/examples/factorial.vk share/vesk/editors/vim/syntax/vesk.vim \
            share/vesk/editors/vim/ftdetect/vesk.vim \
            share/vesk/editors/textmate/vesk.tmLanguage.json; do
  check "installed $file" test -f "$prefix/$file"
done

vesk=$prefix/bin/vesk
version=$("$vesk" --version)
check "--version prints 'vesk X.Y.Z', got '$version'" grep -qE '^vesk [0-9]+\.[0-9]+\.[0-9]+$' <<<"$version"
"$vesk" "$prefix/share/doc/vesk/examples/factorial.vk"
check "the installed binary runs an example" test $? = 120
check "the installed binary reads standard input" bash -c "printf 'a\\\\6*7' | '$vesk' -; test \$? = 42"

# Every guide the installed guides link to is installed beside them.
for guide in "$prefix"/share/doc/vesk/*.md; do
  for linked in $(grep -o '([a-z_]*\.md)' "$guide" | tr -d '()' | sort -u); do
    check "$(basename "$guide") links $linked, installed" test -f "$prefix/share/doc/vesk/$linked"
  done
done

page=$(MANWIDTH=80 man -l "$prefix/share/man/man1/vesk.1" 2>&1)
for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
  check "man page has $section" grep -q "^$section" <<<"$page"
done
for word in VESK_COLOR NO_COLOR VESK_DEBUG_LOG /tmp/redv.log; do
  check "man page names $word" grep -q -- "$word" <<<"$page"
done
check "man page footer carries the version ($version)" grep -q "^$version " <<<"$page"
check "man -l reports no problem" test -z "$(MANWIDTH=80 man -l "$prefix/share/man/man1/vesk.1" 2>&1 >/dev/null)"
exit $fail
