#!/usr/bin/env bash
# The top-level folders are layers: a folder may include from the folders below it, never
# from one that includes it back, or the layers stop meaning anything and every change
# rebuilds half the game. Reads every '#include "folder/..."' line under the root (the
# source tree, or the folder given) and fails naming each loop it finds, with the include
# lines that close it.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)

# One "from to file" line per include of another top-level folder's header. Build folders
# (they hold a CMakeCache.txt) and hidden folders (.git and the like) are not sources.
edges() {
  local prune=(-path "$root/.*")
  local dir
  for dir in "$root"/*/; do
    [ -e "$dir/CMakeCache.txt" ] && prune+=(-o -path "${dir%/}")
  done
  find "$root" \( "${prune[@]}" \) -prune -o -type f \
       \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.hpp' \) -print |
    while IFS= read -r file; do
      local rel=${file#"$root"/} from to
      from=${rel%%/*}
      [ "$from" = "$rel" ] && continue
      sed -nE 's@^[[:space:]]*#[[:space:]]*include[[:space:]]*"([A-Za-z0-9_]+)/.*@\1@p' "$file" |
        sort -u | while IFS= read -r to; do
          [ "$to" != "$from" ] && [ -d "$root/$to" ] && echo "$from $to $rel"
        done
    done
}

all=$(edges)
if [ -z "$all" ]; then
  echo "no includes between top-level folders under $root"
  exit 0
fi
pairs=$(cut -d' ' -f1,2 <<<"$all" | sort -u)
loops=$(tsort <<<"$pairs" 2>&1 >/dev/null) && {
  echo "no folder loops: $(wc -l <<<"$pairs") folder-to-folder includes checked under $root"
  exit 0
}

# tsort names the members of each loop it breaks, one per line after "input contains a loop".
echo "folders that include each other (each must include only the layers below it):"
members=()
named=0
flush() {
  [ "${#members[@]}" -eq 0 ] && return
  named=1
  echo "loop: ${members[*]}"
  local a b
  for a in "${members[@]}"; do
    for b in "${members[@]}"; do
      grep -m1 "^$a $b " <<<"$all" | awk '{print "  " $1 " -> " $2 "  (" $3 ")"}' || true
    done
  done
  members=()
}
while IFS= read -r line; do
  case "$line" in
    *"input contains a loop"*) flush ;;
    tsort:\ *) members+=("${line#tsort: }") ;;
  esac
done <<<"$loops"
flush
[ "$named" -eq 1 ] || echo "$loops"
exit 1
