#!/usr/bin/env bash
# The game as a player installs it: `cmake --install` into a fresh prefix gives the program,
# its content, its films, a desktop entry and an icon; the prefix is made read-only and the
# installed game is started with a home of its own. A music volume chosen in the menu is
# in the settings file at once and is where the next start begins; the first two story
# seasons, flown on a course won in its first frames, leave their slots under the player's
# data folder; nothing under the prefix changes.
# Usage: install.sh RUN_FOLDER (the build's run folder; its parent is the build folder).
set -uo pipefail
RUN=$(cd "${1:?usage: install.sh RUN_FOLDER}" && pwd)
BUILD=$(dirname "$RUN")
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$RUN"
fi
source "$(dirname "$0")/lib/drive.bash"

WORK=$(mktemp -d)
PREFIX=$WORK/prefix
GAME=""
trap '[ -n "$GAME" ] && kill $GAME 2>/dev/null; chmod -R u+w "$WORK"; rm -rf "$WORK"' EXIT

# --- what the install puts where
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 || {
  cat "$WORK/install.log"
  fail "cmake --install failed"
}
SHARE=$PREFIX/share/velmora
[ -x "$PREFIX/bin/velmora" ] || fail "no program in bin/"
for n in 001 002 003 004 005; do [ -x "$SHARE/video/$n.exe" ] || fail "no film $n"; done
for folder in img mesh screenplay_data sounds textures track_data; do
  [ -d "$SHARE/$folder" ] || fail "no $folder/ in share/velmora"
done
[ ! -e "$SHARE/save" ] && [ ! -e "$SHARE/track_data/01.track" ] || fail "a player's file was installed"
grep -qx "Exec=velmora" "$PREFIX/share/applications/velmora.desktop" || fail "no desktop entry"
ICON=$PREFIX/share/icons/hicolor/256x256/apps/velmora.png
[ "$(identify -format '%m %w %h' "$ICON" 2>/dev/null)" = "PNG 256 256" ] || fail "no 256x256 PNG icon"

# --- a course whose only ring stands at the start: the summer course's terrain, one ring
COURSE=$WORK/one-ring.track
{
  sed '/^#number of rings/q' "$SHARE/screenplay_data/summer/summer.track"
  printf '%s\r\n' 1 "#array of rings" "#ring 0" "#scale" 3.0 "#ring origin" 0.0 195.0 0.0 \
    "#ring rotation" 0.0 0.0 0.0 "#ring BBox"
  for _ in $(seq 16); do printf '%s\r\n' 0.0 195.0 0.0; done
  printf '%s\r\n' "#END OF FILE"
} >"$COURSE"

chmod -R a-w "$PREFIX"
snapshot() { (cd "$PREFIX" && find . -printf '%p %y %s %m %T@\n' | sort); }
BEFORE=$(snapshot)

export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_DATA_HOME=$WORK/home/.local/share
export VELMORA_STORY_COURSE=$COURSE
SETTINGS=$XDG_CONFIG_HOME/velmora/settings.ini
SAVES=$XDG_DATA_HOME/velmora/save
LOG=$WORK/game.log

start_game() {
  : >"$LOG"
  (cd "$WORK" && exec "$PREFIX/bin/velmora") >"$LOG" 2>&1 &
  GAME=$!
  wait_log "$LOG" "mode: MENU" 30 || { cat "$LOG"; fail "the installed game did not reach its menu"; }
  MENU=$(wait_screen_change "" 60) || fail "the menu never held still"
  [ "$(pixel $((SCREEN_W / 2)) $((SCREEN_H / 2)))" != "0 0 0" ] || fail "the menu is black: no content found"
}

open_options() {
  click_virtual 491 453  # options
  OPTIONS=$(wait_screen_change "$MENU" 30) || fail "the options face did not come"
}

music_down() {  # one click on the music row's minus, then the file must say $1
  click_virtual 260 191  # the music row's minus
  for _ in $(seq 20); do grep -qx "music_volume = $1" "$SETTINGS" 2>/dev/null && return 0; sleep 0.25; done
  fail "settings.ini does not hold music_volume = $1: $(cat "$SETTINGS" 2>&1)"
}

back_to_main() {
  click_virtual 242 533  # the options face's back
  wait_screen_equal "$MENU" 30 || fail "the main face did not come back"
}

quit_game() {
  click_virtual 655 558
  wait_exit "$GAME" 30
  [ "$EXIT_CODE" = 0 ] || fail "the game ended with $EXIT_CODE"
  GAME=""
}

mode_count() { grep -cx "mode: $1" "$LOG"; }

# Holds space on the film's window until it closes (keys go to the window under the pointer).
skip_film() {
  local film
  film=$(timeout 30 xdotool search --sync --name '^Velmora - ' 2>/dev/null | head -n 1)
  [ -n "$film" ] || fail "no film window came"
  for _ in $(seq 20); do
    xdotool search --name '^Velmora - ' >/dev/null 2>&1 || return 0
    xdotool mousemove $((SCREEN_W / 2)) $((SCREEN_H / 2)) keydown space
    sleep 0.2
    xdotool keyup space
    sleep 0.3
  done
  fail "the film did not close on space"
}

# Clicks the save screen's button at (x, y) until `done_check` holds (the screen is not
# there while the race and its end sequence play; the clicks then do nothing).
click_until() {
  local x=$1 y=$2 check=$3
  for _ in $(seq 120); do
    $check && return 0
    click_virtual "$x" "$y"
    sleep 0.2
  done
  return 1
}
film_shown() { xdotool search --name '^Velmora - ' >/dev/null 2>&1; }
menu_again() { [ "$(mode_count MENU)" -ge 2 ]; }

# --- first start: the volume goes into the settings file as soon as it is chosen
start_game
[ ! -e "$SETTINGS" ] || fail "settings were written before anything changed"
open_options
music_down 250
music_down 245
# The file is written as the volume changes: the game need not end well to keep it.
kill "$GAME"
wait "$GAME" 2>/dev/null
GAME=""

# --- second start: begins at 245; then the story on the one-ring course
start_game
open_options
music_down 240
back_to_main
click_virtual 176 242  # one player
ONE=$(wait_screen_change "$MENU" 60) || fail "the one-player face did not come"
click_virtual 694 289  # story
wait_log "$LOG" "mode: SCREENPLAY" 30 || fail "the story did not start"
skip_film                                                       # summer's film
click_until 170 279 film_shown || fail "no save screen after summer (slot 1 never clicked)"
skip_film                                                       # autumn's film
click_until 612 576 menu_again || fail "no save screen after autumn, or no way back to the menu"
wait_screen_equal "$MENU" 60 || fail "the menu did not come back after the story"
quit_game

# --- what was kept, and where
slot_line() { sed -n "${2}p" "$SAVES/slot$1.sav" | tr -d '\r'; }
[ "$(slot_line 1 1)" = valide ] && [ "$(slot_line 1 4)" = 1 ] || fail "slot 1 does not hold autumn: $(cat "$SAVES/slot1.sav" 2>&1)"
[ "$(slot_line 0 1)" = valide ] && [ "$(slot_line 0 4)" = 2 ] || fail "the autosave does not hold winter: $(cat "$SAVES/slot0.sav" 2>&1)"
grep -qx "music_volume = 240" "$SETTINGS" || fail "the second start did not begin at the stored volume"
[ "$(snapshot)" = "$BEFORE" ] || fail "something under the prefix changed: $(diff <(echo "$BEFORE") <(snapshot) | head -5)"
echo "installed game: content found from bin/, settings in $(basename "$XDG_CONFIG_HOME")/velmora, slots in the data folder, prefix untouched: ok"
