#!/usr/bin/env bash
# Only renderer/ talks to the GL: every other folder asks it to draw. Fails naming each
# line outside renderer/ (tests and fuzzers aside) that calls GL or GLU or includes
# their headers, so drawing code cannot creep back into the layers above.
set -euo pipefail
root=$(cd "${1:-$(dirname "$0")/..}" && pwd)
cd "$root"
folders=()
for dir in */; do
  dir=${dir%/}
  case $dir in renderer | tests | fuzz) continue ;; esac
  [ -e "$dir/CMakeCache.txt" ] && continue  # a build folder
  folders+=("$dir")
done
pattern='\bglu?[A-Z][A-Za-z0-9]*[[:space:]]*\(|#[[:space:]]*include[[:space:]]*<GL/'
if hits=$(grep -rnE --include='*.cpp' --include='*.h' "$pattern" "${folders[@]}"); then
  echo "GL outside renderer/ ($(wc -l <<<"$hits") lines):"
  echo "$hits"
  exit 1
fi
echo "no GL outside renderer/ in: ${folders[*]}"
