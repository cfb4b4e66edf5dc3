#!/usr/bin/env bash
# The editor files: the TextMate grammar is valid JSON whose patterns
# compile and colour a sample as intended, and Vim loads the syntax file and
# gives the sample's atoms their groups. Usage: editors.sh VESK SOURCE_DIR
# BUILD_DIR. Exits 77 (skipped) when neither python3 nor a Vim with syntax
# support is here.
set -u
src=$2
sample='a\sq 7,
sq\x\x*x+[a [b] c]K'
ran=0 fail=0
if command -v python3 >/dev/null; then
  ran=1
  python3 - "$src/editors/textmate/vesk.tmLanguage.json" "$sample" <<'PY' || fail=1
import json, re, sys
grammar = json.load(open(sys.argv[1]))
rules = grammar["repository"]
line = sys.argv[2].split("\n")[1]
want = {"definition": "sq", "number": None, "combinator": "K", "text": "[",
        "lambda": "\\", "operator": "*", "name": "sq"}
for key, first in want.items():
    rule = rules[key]
    pattern = re.compile(rule.get("match") or rule["begin"])
    found = pattern.search(line)
    if first is not None:
        got = found and (found.group(1) if key == "definition" else found.group(0))
        if got != first:
            sys.exit(f"rule {key}: found {got!r} in {line!r}, wanted {first!r}")
assert grammar["scopeName"] == "source.vesk" and "vk" in grammar["fileTypes"]
PY
fi
if command -v vim >/dev/null && vim --version | grep -q "+syntax"; then
  ran=1
  dir=$(mktemp -d)
  trap 'rm -rf "$dir"' EXIT
  printf '%s' "$sample" > "$dir/s.vk"
  vim -Es -N -u NONE -i NONE --cmd "set rtp^=$src/editors/vim" -c 'filetype on' -c 'syntax on' \
    -c "e $dir/s.vk" -c "redir! > $dir/groups" -c 'echo &filetype' \
    -c 'for c in range(1, col([2,"$"])-1) | echo synIDattr(synID(2,c,1),"name") | endfor' \
    -c 'redir END' -c 'qa!'
  groups=$(grep -v '^$' "$dir/groups" | tr '\n' ' ')
  want='vesk veskDefinition veskDefinition veskLambda veskName veskLambda veskName veskOperator veskName veskOperator veskText veskText veskText veskText veskText veskText veskText veskText veskText veskCombinator '
  if [ "$groups" != "$want" ]; then
    echo "vim groups: $groups"; echo "wanted:     $want"; fail=1
  fi
fi
[ $ran = 1 ] || exit 77
exit $fail
