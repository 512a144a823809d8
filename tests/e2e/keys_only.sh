#!/usr/bin/env bash
# The real program driven with the keyboard alone, the pointer resting in a corner: the
# arrows show and move the menus' focus, Enter presses; a time-attack race is reached and
# left through its pause overlay; the controls screen opens from the options face and
# Escape leaves it; the quit button ends the process with code 0.
# With VELMORA_SHOTS set to a folder, screenshots of a focused button and of the controls
# screen are kept there.
set -uo pipefail
RUN=${1:?usage: keys_only.sh RUN_FOLDER}
source "$(dirname "$0")/lib/drive.bash"

HOME_DIR=$(mktemp -d)
export HOME=$HOME_DIR XDG_CONFIG_HOME=$HOME_DIR/config XDG_DATA_HOME=$HOME_DIR/data
LOG=$(mktemp)
xdotool mousemove 2 2  # keys go to the window under the pointer; it stays there
"$RUN/velmora" >"$LOG" 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null; rm -rf "$LOG" "$HOME_DIR"' EXIT

tap() {  # held for a few frames, as a person taps
  xdotool keydown "$1"
  sleep 0.12
  xdotool keyup "$1"
  sleep 0.2
}

shot() { [ -n "${VELMORA_SHOTS:-}" ] && import -window root "$VELMORA_SHOTS/$1"; true; }

wait_log "$LOG" "mode: MENU" 30 || fail "the game did not start"
MENU=$(wait_screen_change "" 60) || fail "the menu never held still"
tap Down  # the first press shows the focus on "play alone"
FOCUSED=$(wait_screen_change "$MENU" 30) || fail "no focus showed on the main face"
shot focused_button.png
tap Return
ONE=$(wait_screen_change "$FOCUSED" 60) || fail "Enter did not lead to the one-player face"
tap Return  # time attack
CHOOSER=$(wait_screen_change "$ONE" 60) || fail "the track chooser did not come"
tap Return  # the chooser's focus starts on ok
wait_log "$LOG" "mode: TIME ATTACK" 30 || fail "the race did not start"
for _ in $(seq 1 120); do
  xdotool search --name '^Velmora \(FPS : [0-9]+\)$' >/dev/null 2>&1 && break
  sleep 0.25
done
xdotool search --name '^Velmora \(FPS : [0-9]+\)$' >/dev/null || fail "the race is not running"
sleep 1
tap Escape  # the overlay, its focus on "back to the race"
sleep 0.5
tap Right   # "leave the race"
shot overlay_leave_focused.png
tap Return
for _ in $(seq 1 240); do
  [ "$(grep -cx "mode: MENU" "$LOG")" -ge 2 ] && break
  sleep 0.25
done
[ "$(grep -cx "mode: MENU" "$LOG")" -ge 2 ] || fail "the overlay did not lead back to the menu"
BACK=$(wait_screen_change "" 90) || fail "the menu did not come back"

# The keys are still in use: the focus shows at once. Down twice to options.
tap Down
tap Down
OPTIONS_FOCUSED=$(wait_screen_change "$BACK" 30) || fail "the focus did not move"
tap Return
OPTIONS=$(wait_screen_change "$OPTIONS_FOCUSED" 60) || fail "the options face did not come"
tap Down
tap Down
tap Right  # controls
tap Return
CONTROLS=$(wait_screen_change "$OPTIONS" 60) || fail "the controls screen did not come"
tap Down
tap Down
tap Down
tap Down  # player 1's thrust
tap Return
WAITING=$(wait_screen_change "$CONTROLS" 30) || fail "the thrust button did not wait for a key"
tap t
REBOUND=$(wait_screen_change "$WAITING" 30) || fail "the new key did not show"
shot controls_screen.png
tap Escape  # nothing awaited: Escape leaves the screen
wait_screen_change "$REBOUND" 30 >/dev/null || fail "Escape did not leave the controls screen"
tap Left
tap Down  # back
tap Return
wait_screen_change "" 60 >/dev/null || fail "the main face did not come back"
tap Down  # options -> quit
tap Return
wait_exit "$GAME" 30
[ "$EXIT_CODE" = 0 ] || fail "the game ended with $EXIT_CODE"
grep -q "mode: EXIT" "$LOG" || fail "the shell never saw EXIT"
echo "menus, race and overlay with the keys alone: ok"
