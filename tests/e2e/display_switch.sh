#!/usr/bin/env bash
# The display on a 1920 x 1080 screen: --windowed opens a window smaller than the screen;
# F11 makes it full screen at the screen's size, the menu's pictures where the centred 4:3
# frame puts them and bars beside it; a click still hits the button under the pointer;
# another window taking the focus during a race opens the overlay, and the race stands;
# Alt+Enter brings the window back, and a window resized by hand is followed.
# VELMORA_DISPLAY_SHOTS names a folder to keep the screenshots in.
set -uo pipefail
RUN=${1:?usage: display_switch.sh RUN_FOLDER}
if [ "${VELMORA_DISPLAY_SWITCH:-}" != 1 ]; then
  VELMORA_DISPLAY_SWITCH=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$@"
fi
source "$(dirname "$0")/lib/drive.bash"
[ "$SCREEN_W" = 1920 ] && [ "$SCREEN_H" = 1080 ] || fail "the screen is ${SCREEN_W}x$SCREEN_H"

WORK=$(mktemp -d)
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_DATA_HOME=$WORK/data
mkdir -p "$HOME"
LOG=$WORK/log
OTHER=
"$RUN/velmora" --windowed >"$LOG" 2>&1 &
GAME=$!
trap 'kill $GAME $OTHER 2>/dev/null; wait $GAME $OTHER 2>/dev/null; rm -rf "$WORK"' EXIT

keep_shot() { [ -n "${VELMORA_DISPLAY_SHOTS:-}" ] && cp "$WORK/$1" "$VELMORA_DISPLAY_SHOTS/$1"; }

hold_key() {  # held over a few frames, as a person presses it
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
}

# The game window's place and size: X Y W H.
geometry() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$WIN")"
  echo "$X $Y $WIDTH $HEIGHT"
}

wait_geometry() {  # waits until the window is W x H
  for _ in $(seq 1 40); do
    read -r _ _ w h < <(geometry)
    [ "$w" = "$1" ] && [ "$h" = "$2" ] && return 0
    sleep 0.25
  done
  return 1
}

# The mean colour "r g b" of a small box about a point of the 800 x 600 menu face, in a
# shot of a window at (x, y) of w x h: the face fills the height at 4:3, centred.
face_colour() {  # SHOT X Y W H VX VY
  local face=$(($5 * 4 / 3)) box=$(($5 / 60))
  local cx=$(($2 + ($4 - face) / 2 + $6 * face / 800)) cy=$(($3 + $7 * $5 / 600))
  convert "$1" -crop "${box}x${box}+$((cx - box / 2))+$((cy - box / 2))" +repage -scale '1x1!' \
    -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

near() {  # "r g b" "r g b" tolerance
  local a b
  read -r -a a <<<"$1"
  read -r -a b <<<"$2"
  for i in 0 1 2; do
    local d=$((a[i] - b[i]))
    [ ${d#-} -le "$3" ] || return 1
  done
}

# Places of the main face with pictures that stand still: the moon, the middle of each
# button's label, the big lantern, the title's ring and a patch of mountains.
PLACES=("742 66" "190 242" "340 317" "500 397" "640 482" "92 418" "400 40" "300 470")

wait_log "$LOG" "mode: MENU" 30 || fail "the game did not start"
wait_screen_change "" 60 >/dev/null || fail "the menu never held still"
WIN=$(xdotool search --name '^Velmora' | head -1)
[ -n "$WIN" ] || fail "no game window"
read -r WX WY WW WH < <(geometry)
[ "$WW" -lt 1920 ] && [ "$WH" -lt 1080 ] || fail "--windowed gave ${WW}x$WH on a 1920x1080 screen"
echo "windowed: ${WW}x$WH at ($WX, $WY)"
import -window root "$WORK/window.png"
keep_shot window.png

xdotool mousemove $((WX + WW / 2)) $((WY + 5))
hold_key F11
wait_geometry 1920 1080 || fail "F11 left the window at $(geometry)"
MENU=$(wait_screen_change "" 30) || fail "the full-screen menu never held still"
import -window root "$WORK/full.png"
keep_shot full.png
for place in "${PLACES[@]}"; do
  read -r vx vy <<<"$place"
  before=$(face_colour "$WORK/window.png" "$WX" "$WY" "$WW" "$WH" "$vx" "$vy")
  after=$(face_colour "$WORK/full.png" 0 0 1920 1080 "$vx" "$vy")
  near "$before" "$after" 24 ||
    fail "face point ($vx, $vy) was $before in the window and is $after full screen"
done
for bar in "200x1080+10+0" "200x1080+1710+0"; do
  colour=$(convert "$WORK/full.png" -crop "$bar" -format "%[fx:maxima.r*255] %[fx:maxima.g*255] %[fx:maxima.b*255]" info:)
  [ "$colour" = "0 0 0" ] || fail "the bar $bar is not black: $colour"
done
echo "full screen: 1920x1080, the face's pictures in the 4:3 frame, black bars: ok"

# The clicks land on the buttons under the pointer: one player, time attack, the first track.
click_virtual 176 242
ONE=$(wait_screen_change "$MENU" 60) || fail "the one-player face did not come"
click_virtual 700 193
wait_screen_change "$ONE" 60 >/dev/null || fail "the track chooser did not come"
click_virtual 530 512
wait_log "$LOG" "mode: TIME ATTACK" 30 || fail "the clicks after the switch did not start the race"
for _ in $(seq 1 120); do
  xdotool search --name '^Velmora \(FPS : [0-9]+\)$' >/dev/null 2>&1 && break
  sleep 0.25
done
sleep 1
echo "clicks after the switch: the race started"

# Another window takes the focus: the race stands under its overlay.
xmessage -geometry 200x60+1700+1000 "elsewhere" >/dev/null 2>&1 &
OTHER=$!
for _ in $(seq 1 40); do
  OTHER_WIN=$(xdotool search --name '^xmessage$' 2>/dev/null | tail -1)
  [ -n "$OTHER_WIN" ] && break
  sleep 0.25
done
[ -n "$OTHER_WIN" ] || fail "the other window did not open"
xdotool windowfocus --sync "$OTHER_WIN" || fail "the focus did not move"
sleep 1
PAUSED=$(screen_hash)
import -window root "$WORK/paused.png"
keep_shot paused.png
sleep 1.5
[ "$(screen_hash)" = "$PAUSED" ] || fail "the race goes on without the focus"
# Back to the game: the overlay's leave button, virtual (626, 487) 156 x 99 of its 800 x 600
# layout, held a moment. The race leaves through its fade, which takes a while here.
xdotool windowfocus --sync "$WIN"
read -r x y < <(px 704 536)
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousedown 1
sleep 0.4
xdotool mouseup 1
answered=
for _ in $(seq 1 40); do
  [ "$(screen_hash)" != "$PAUSED" ] && answered=yes && break
  sleep 0.25
done
[ -n "$answered" ] || fail "no overlay: its leave button did nothing"
left=
for _ in $(seq 1 360); do
  [ "$(grep -cx "mode: MENU" "$LOG")" -ge 2 ] && left=yes && break
  sleep 0.25
done
[ -n "$left" ] || fail "the race did not leave for the menu"
kill "$OTHER" 2>/dev/null
wait "$OTHER" 2>/dev/null
OTHER=
echo "focus lost: the race stood under the overlay: ok"

# Alt+Enter: back to the window as it was; then a resize by hand.
wait_screen_change "" 60 >/dev/null || fail "the menu did not come back"
xdotool windowfocus --sync "$WIN"
xdotool mousemove 960 540 keydown Alt keydown Return
sleep 0.2
xdotool keyup Return keyup Alt
wait_geometry "$WW" "$WH" || fail "Alt+Enter left the window at $(geometry)"
xdotool windowsize "$WIN" 1200 600
wait_geometry 1200 600 || fail "the window did not take the size 1200x600"
read -r WX WY _ _ < <(geometry)
wait_screen_change "" 30 >/dev/null || fail "the resized menu never held still"
import -window root "$WORK/resized.png"
keep_shot resized.png
moon=$(face_colour "$WORK/resized.png" "$WX" "$WY" 1200 600 742 66)
full_moon=$(face_colour "$WORK/full.png" 0 0 1920 1080 742 66)
near "$moon" "$full_moon" 24 || fail "the moon is $moon in the resized window, $full_moon full screen"
colour=$(convert "$WORK/resized.png" -crop "150x600+$((WX + 20))+$WY" -format "%[fx:maxima.r*255] %[fx:maxima.g*255] %[fx:maxima.b*255]" info:)
[ "$colour" = "0 0 0" ] || fail "the resized window's left bar is not black: $colour"
echo "Alt+Enter and a resize: the face follows the window: ok"
