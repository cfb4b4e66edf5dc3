#!/usr/bin/env bash
# Bad raw addresses given to the raw-memory family and the block and string
# functions: raw_addresses.sh VESK. Every call below, with each kind of bad
# address as x, must give Z, and the run must then go on and end normally
# (exit 7). b is a good block: 16 zero bytes, an empty text.
set -u
vesk=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# The kinds of bad address, as expressions.
declare -A kinds=(
  [one]='1'
  [minus_one]='01'
  [freed]='(f{malloc 64}u{free f}f)'
  # The records of a closed stream and directory, freed by the C library;
  # and the entry readdir gave, inside the directory's record.
  [closed_stream]='(f{tmpfile}u{fclose f}f)'
  [closed_directory]='(d{opendir(cape[.])}u{closedir d}d)'
  [entry_of_closed_directory]='(d{opendir(cape[.])}e{readdir d}u{closedir d}e)'
  [never_mapped]='4096'
  [far_away]='2^46'
  [wider_than_64_bits]='2^64+b'
  # Two bytes before the end of a block of four that holds no NUL.
  [past_the_end]='(p{malloc 4}u{memset(p, 65, 4)}p+2)'
)
# The calls; those marked "short" touch at most two bytes at x, which lie
# inside the block of past_the_end, and are left out for that kind.
calls=(
  'short refh x' 'short refi x' 'refj x' 'refk x'
  'short refl(x, 1)' 'short refm(x, 1)' 'refn(x, 1)' 'refo(x, 1)'
  'memchr(x, 0, 4)' 'memcmp(x, b, 4)' 'memcmp(b, x, 4)' 'memcpy(x, b, 4)' 'memcpy(b, x, 4)'
  'memmove(x, b, 4)' 'memmove(b, x, 4)' 'memset(x, 0, 4)' 'bzero(x, 4)'
  'strlen x' 'strdup x' 'strcmp(x, b)' 'strcmp(b, x)' 'strncmp(x, b, 4)' 'strcasecmp(x, b)'
  'strncasecmp(x, b, 4)' 'short strcpy(x, b)' 'strcpy(b, x)' 'strcat(x, b)' 'strcat(b, x)'
  'strncpy(x, b, 4)' 'strncat(x, b, 4)' 'strchr(x, 65)' 'strrchr(x, 65)' 'strnlen(x, 4)'
  'strpbrk(x, b)' 'strstr(x, b)' 'strspn(x, b)' 'strtok(x, b)' 'strtok_r(x, b, calloc(8, 1))'
  'post(x, 4)' 'copy(x, [abcd])'
)
failed=0
count=0
for kind in "${!kinds[@]}"; do
  for call in "${calls[@]}"; do
    if [[ $call == short\ * ]]; then
      [ "$kind" = past_the_end ] && continue
      call=${call#short }
    fi
    count=$((count + 1))
    printf 'a\\b{calloc(16, 1)}x{%s}lisp(%s)=[Z]?7?1' "${kinds[$kind]}" "$call" > "$dir/p.vk"
    "$vesk" "$dir/p.vk" >"$dir/out" 2>"$dir/err" </dev/null
    status=$?
    if [ $status != 7 ]; then
      echo "FAIL $kind: $call: status $status"; head -c 600 "$dir/err" | cat -v; echo
      failed=$((failed + 1))
    fi
  done
done
echo "$count calls, $failed failed"
[ $failed = 0 ]
