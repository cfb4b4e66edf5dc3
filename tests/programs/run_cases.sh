#!/usr/bin/env bash
# Runs every case of a cases file: run_cases.sh VESK FILE.cases
#
# A cases file holds many small programs, each under its expectations:
#   # a comment (outside a program)
#   case NAME status N            the case's name and expected exit status
#   options O P                   optional: vesk's options, before the program
#   args A B C                    optional: the program's arguments
#   say TEXT                      optional, repeatable: standard error must
#                                 contain each TEXT
#   stdout TEXT                   optional, repeatable: one line of the
#                                 exact standard output
#   a\3+4                         the program: every line up to the next
#                                 "case" line (or the end), blank lines at
#                                 its end dropped, joined without a final
#                                 newline
# Every case runs, and each failure is reported with its name; the file
# fails when any case does.
set -u
vesk=$1
file=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
count=0

run_case() {
  [ -n "$name" ] || return 0
  count=$((count + 1))
  # Drop blank lines at the end of the program; no final newline.
  printf '%s' "$program" | awk 'BEGIN{n=0} {lines[n++]=$0} END{while(n>0 && lines[n-1]=="") n--; for(i=0;i<n;i++){printf "%s", lines[i]; if(i<n-1) printf "\n"}}' > "$work/p.vk"
  # shellcheck disable=SC2086
  "$vesk" $options "$work/p.vk" $args >"$work/out" 2>"$work/err" </dev/null
  local got=$?
  local bad=""
  [ "$got" = "$status" ] || bad="status $got, expected $status"
  local text
  for text in "${says[@]}"; do
    grep -qF -- "$text" "$work/err" || bad="$bad; stderr lacks: $text"
  done
  if [ "$has_stdout" = 1 ] && ! cmp -s "$work/out" <(printf '%s' "$stdout"); then
    bad="$bad; stdout was: $(cat -v "$work/out" | head -5)"
  fi
  if [ -n "$bad" ]; then
    echo "FAIL $name: $bad"
    echo "  program: $(cat -v "$work/p.vk" | head -5)"
    failed=$((failed + 1))
  fi
}

name="" status="" options="" args="" says=() stdout="" has_stdout=0 program="" in_program=0
while IFS= read -r line || [ -n "$line" ]; do
  if [[ $line =~ ^case\ ([^ ]+)\ status\ (-?[0-9]+)$ ]]; then
    run_case
    name=${BASH_REMATCH[1]} status=${BASH_REMATCH[2]}
    options="" args="" says=() stdout="" has_stdout=0 program="" in_program=0
  elif [ $in_program = 0 ] && [[ $line =~ ^#  || -z $line ]] && [ -z "$program" ]; then
    continue
  elif [ $in_program = 0 ] && [[ $line =~ ^args\ (.*)$ ]]; then
    args=${BASH_REMATCH[1]}
  elif [ $in_program = 0 ] && [[ $line =~ ^options\ (.*)$ ]]; then
    options=${BASH_REMATCH[1]}
  elif [ $in_program = 0 ] && [[ $line =~ ^say\ (.*)$ ]]; then
    says+=("${BASH_REMATCH[1]}")
  elif [ $in_program = 0 ] && [[ $line =~ ^stdout\ (.*)$ ]]; then
    stdout+="${BASH_REMATCH[1]}"$'\n' has_stdout=1
  else
    in_program=1
    program+="$line"$'\n'
  fi
done < "$file"
run_case
echo "$count cases, $failed failed"
[ "$count" -gt 0 ] && [ "$failed" = 0 ]
