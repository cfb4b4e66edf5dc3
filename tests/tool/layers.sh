#!/usr/bin/env bash
# The layers of src/ as CMakeLists.txt declares them (VESK_USES_<layer>):
# every include of a source file names its own folder or a layer it uses,
# and the uses never form a cycle. The build enforces the first through the
# include paths; this names the offending line. Usage: layers.sh VESK
# SOURCE_DIR BUILD_DIR.
set -u
src=$2
declare -A uses
while read -r layer deps; do
  uses[$layer]=" $deps "
done < <(sed -n 's/^set(VESK_USES_\([a-z]*\)\(.*\))$/\1\2/p' "$src/CMakeLists.txt")
[ ${#uses[@]} -ge 9 ] || { echo "no layers found in CMakeLists.txt"; exit 1; }
fail=0
for layer in "${!uses[@]}"; do
  for file in "$src/src/$layer"/*.[ch]pp; do
    while IFS= read -r used; do
      if [ "$used" != "$layer" ] && [[ "${uses[$layer]}" != *" $used "* ]]; then
        echo "$file includes $used/, which $layer does not use"; fail=1
      fi
    done < <(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file")
  done
done
# A layer may not use itself through another: depth-first search for a cycle.
declare -A state
visit() {
  local layer=$1
  [ "${state[$layer]:-}" = done ] && return 0
  if [ "${state[$layer]:-}" = open ]; then echo "cycle through $layer"; fail=1; return 0; fi
  state[$layer]=open
  for used in ${uses[$layer]}; do visit "$used"; done
  state[$layer]=done
}
for layer in "${!uses[@]}"; do visit "$layer"; done
exit $fail
