#!/usr/bin/env bash
# The real program, driven as a player would: the menu comes up; one player, time attack,
# the track arrow and ok are clicked; the race runs; the end sequence shows; the menu
# comes back; the quit button ends the process with code 0.
set -uo pipefail
RUN=${1:?usage: time_attack.sh RUN_FOLDER}
source "$(dirname "$0")/lib/drive.bash"

LOG=$(mktemp)
"$RUN/velmora" >"$LOG" 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null; rm -f "$LOG"' EXIT

wait_log "$LOG" "mode: MENU" 30 || fail "the game did not start"
MENU=$(wait_screen_change "" 60) || fail "the menu never held still"
[ "$(pixel $((SCREEN_W / 2)) $((SCREEN_H / 2)))" != "0 0 0" ] || fail "the menu is black"

click_virtual 176 242  # one player
ONE=$(wait_screen_change "$MENU" 60) || fail "the one-player face did not come"
click_virtual 700 193  # time attack
CHOOSER=$(wait_screen_change "$ONE" 60) || fail "the track chooser did not come"
click_virtual 340 323  # previous track: from the first, the random course
wait_screen_change "$CHOOSER" 30 >/dev/null || fail "the chooser did not change track"
click_virtual 530 512  # ok
wait_log "$LOG" "mode: TIME ATTACK" 30 || fail "the race did not start"

for _ in $(seq 1 120); do
  xdotool search --name '^Velmora \(FPS : [0-9]+\)$' >/dev/null 2>&1 && break
  sleep 0.25
done
xdotool search --name '^Velmora \(FPS : [0-9]+\)$' >/dev/null || fail "no frame-rate title: the race is not running"

# The end sequence: the strip below the backdrop's tiles is white.
seen_end=no
for _ in $(seq 1 240); do
  if [ "$(pixel $((SCREEN_W / 2)) $((SCREEN_H - 10)))" = "255 255 255" ]; then seen_end=yes; break; fi
  sleep 0.25
done
[ "$seen_end" = yes ] || fail "the end sequence did not show"

wait_screen_equal "$MENU" 90 || fail "the menu did not come back"
click_virtual 655 558  # quit
wait_exit "$GAME" 30
[ "$EXIT_CODE" = 0 ] || fail "the game ended with $EXIT_CODE"
grep -q "mode: EXIT" "$LOG" || fail "the shell never saw EXIT"
echo "time attack from menu to menu: ok"
