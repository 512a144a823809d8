#!/usr/bin/env bash
# A damaged picture is reported in a real message box: in a copy of the run folder whose
# Time attack button is cut short, the game shows a window captioned "TGA File Error";
# Return (the box's default button) closes it, and the menu goes on and quits normally.
# Set VELMORA_SHOT_DIR to keep a screenshot of the box.
set -uo pipefail
RUN=${1:?usage: message_box.sh RUN_FOLDER}
RUN=$(cd "$RUN" && pwd)
source "$(dirname "$0")/lib/drive.bash"
unset VELMORA_QUIET_MESSAGES  # the box itself is under test

PICTURE="img/boutons/1Player/Time Attack/inactive.tga"
COPY=$(mktemp -d)
LOG=$(mktemp)
GAME=""
trap '[ -n "$GAME" ] && kill $GAME 2>/dev/null; rm -rf "$COPY" "$LOG"' EXIT

# Links to the content, with real copies of what the game writes or reads as itself.
cp -rs "$RUN/." "$COPY/" || fail "cannot link the run folder"
rm -f "$COPY/velmora" && cp "$RUN/velmora" "$COPY/velmora"
rm -rf "$COPY/save" && { [ ! -d "$RUN/save" ] || cp -r "$RUN/save" "$COPY/save"; }
[ -f "$RUN/$PICTURE" ] || fail "no $PICTURE in the run folder"
rm -f "$COPY/$PICTURE"
head -c 100 "$RUN/$PICTURE" >"$COPY/$PICTURE"

"$COPY/velmora" >"$LOG" 2>&1 &
GAME=$!

# The box's name is UTF-8, which xdotool's name search does not match.
box_window() { xwininfo -root -tree 2>/dev/null | awk '/"TGA File Error"/ { print $1; exit }'; }

BOX=""
for _ in $(seq 1 240); do
  BOX=$(box_window)
  [ -n "$BOX" ] && break
  kill -0 "$GAME" 2>/dev/null || break
  sleep 0.25
done
[ -n "$BOX" ] || { cat "$LOG" >&2; fail "no window captioned \"TGA File Error\""; }
sleep 0.5
if [ -n "${VELMORA_SHOT_DIR:-}" ]; then import -window root "$VELMORA_SHOT_DIR/message_box.png"; fi

# Keyboard focus follows the pointer without a window manager: point at the box first.
eval "$(xdotool getwindowgeometry --shell "$BOX")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool windowfocus --sync "$BOX" 2>/dev/null
sleep 0.2
xdotool key Return
for _ in $(seq 1 40); do
  [ -z "$(box_window)" ] && break
  sleep 0.25
done
[ -z "$(box_window)" ] || fail "Return did not close the message box"
xdotool mousemove 2 2

wait_log "$LOG" "mode: MENU" 30 || fail "the menu did not start after the box"
MENU=$(wait_screen_change "" 60) || fail "the menu never held still"
[ "$(pixel $((SCREEN_W / 2)) $((SCREEN_H / 2)))" != "0 0 0" ] || fail "the menu is black"
click_virtual 655 558  # quit
wait_exit "$GAME" 30
[ "$EXIT_CODE" = 0 ] || fail "the game ended with $EXIT_CODE"
GAME=""
grep -q "Couldn't read file" "$LOG" && fail "the message went to standard error instead of a box"
echo "the message box shows, closes with Return, and the menu goes on: ok"
