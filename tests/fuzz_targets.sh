#!/usr/bin/env bash
# Every reader of outside bytes has a fuzz target with seeds: fuzz/run --list names them
# all, and each target has a seed maker so its first run starts from valid inputs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
expected="bmp datagram ghost heightmap jpeg obj records save settings tga track"
listed=$("$root/fuzz/run" --list | tr '\n' ' ' | sed 's/ $//')
status=0
for name in $expected; do
  case " $listed " in
    *" $name "*) ;;
    *) echo "fuzz/run --list does not name $name (it names: $listed)"; status=1 ;;
  esac
done
for name in $listed; do
  [ -e "$root/fuzz/seeds_$name.cpp" ] || { echo "fuzz target $name has no fuzz/seeds_$name.cpp"; status=1; }
done
[ "$status" -eq 0 ] && echo "fuzz targets: $listed"
exit "$status"
