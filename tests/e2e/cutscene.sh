#!/usr/bin/env bash
# The story films as the game starts them: real programs under the display, closing by
# themselves, on Escape and on space, and showing a picture even with no content at all.
# Usage: cutscene.sh RUN_FOLDER (the folder holding velmora and video/).
set -uo pipefail

run_dir=$(cd "${1:?usage: cutscene.sh RUN_FOLDER}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$run_dir"
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}

now_ms() { date +%s%3N; }

# Brightness of the brightest pixel of a picture, 0 to 1; a title on black counts.
brightness() { convert "$1" -colorspace Gray -format '%[fx:maxima]' info: 2>/dev/null || echo 0; }
not_black() { awk -v b="$(brightness "$1")" 'BEGIN { exit !(b > 0.5) }'; }

# Waits up to $2 seconds for process $1 to end; its exit code in $waited_code.
wait_for() {
  local pid=$1 limit=$2 start
  start=$(now_ms)
  while kill -0 "$pid" 2>/dev/null; do
    if [ $(($(now_ms) - start)) -gt $((limit * 1000)) ]; then
      kill "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
      waited_code=124
      return 1
    fi
    sleep 0.1
  done
  wait "$pid"
  waited_code=$?
  return 0
}

all_five_are_there() {
  local n
  for n in 001 002 003 004 005; do
    [ -x "$run_dir/video/$n.exe" ] || { echo "missing video/$n.exe"; return 1; }
  done
}

# A short film ends by itself with code 0, and shows a picture at mid-time.
ends_by_itself_after_its_seconds() {
  local start pid shot elapsed
  start=$(now_ms)
  "$run_dir/video/003.exe" --seconds 3 --screenshot "$work/mid.png" >"$work/003.log" 2>&1 &
  pid=$!
  local shown=1
  for at in 1.3 0.3 0.3; do
    sleep "$at"
    shot="$work/root-$at-$RANDOM.png"
    import -window root "$shot" 2>/dev/null && not_black "$shot" && shown=0
  done
  wait_for "$pid" 10 || { echo "still running after 10 s"; return 1; }
  elapsed=$(($(now_ms) - start))
  echo "003.exe --seconds 3: exit $waited_code after $elapsed ms; $(cat "$work/003.log")"
  [ "$waited_code" -eq 0 ] && [ "$elapsed" -ge 2900 ] && [ "$elapsed" -le 8000 ] &&
    [ "$shown" -eq 0 ] && not_black "$work/mid.png"
}

# A long film closes within a few seconds of the key.
closes_on_key() {
  local film=$1 key=$2 start pid window elapsed
  start=$(now_ms)
  "$run_dir/video/$film.exe" --seconds 40 >/dev/null 2>&1 &
  pid=$!
  window=$(timeout 10 xdotool search --sync --pid "$pid" 2>/dev/null | head -n 1)
  [ -n "$window" ] || { echo "$film.exe: no window"; kill "$pid"; return 1; }
  sleep 1
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool keydown "$key"
  sleep 0.3
  xdotool keyup "$key"
  wait_for "$pid" 6 || { echo "$film.exe still running 6 s after $key"; return 1; }
  elapsed=$(($(now_ms) - start))
  echo "$film.exe closed on $key with exit $waited_code after $elapsed ms"
  [ "$waited_code" -eq 0 ] && [ "$elapsed" -lt 15000 ]
}

# A film copied where nothing else lies: black behind its title, closed after its time.
runs_without_any_content() {
  mkdir -p "$work/bare/video"
  cp "$run_dir/video/001.exe" "$work/bare/video/002.exe"
  (cd / && "$work/bare/video/002.exe" --seconds 2 --screenshot "$work/bare.png") >/dev/null 2>&1 &
  local pid=$!
  wait_for "$pid" 10 || { echo "bare 002.exe still running"; return 1; }
  echo "bare 002.exe: exit $waited_code, brightest pixel at mid-time $(brightness "$work/bare.png")"
  [ "$waited_code" -eq 0 ] && not_black "$work/bare.png"
}

refuses_what_it_cannot_show() {
  cp "$run_dir/video/001.exe" "$work/film.exe"
  "$work/film.exe" --seconds 1 >/dev/null 2>&1
  local unnamed=$?
  "$run_dir/video/001.exe" --seconds soon >/dev/null 2>&1
  local bad_option=$?
  [ "$unnamed" -eq 2 ] && [ "$bad_option" -eq 2 ]
}

check "the five films are built" all_five_are_there
check "a film ends by itself and shows a picture" ends_by_itself_after_its_seconds
check "Escape closes a film" closes_on_key 001 Escape
check "space closes a film" closes_on_key 005 space
check "a film runs without content" runs_without_any_content
check "a film refuses a name or option it does not know" refuses_what_it_cannot_show

echo "cutscene: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
