#!/usr/bin/env bash
# The real program on a 1920 x 1080 screen: the race is drawn in the centred 4:3 frame
# with black bars at the sides, and the compass arrow turns inside its dial. The arrow is
# found as what changes in the timer panel's compass window while the craft turns.
# VELMORA_WIDE_SHOT names a file to keep the race's screenshot in.
set -uo pipefail
RUN=${1:?usage: wide_screen.sh RUN_FOLDER}
if [ "${VELMORA_WIDE_SCREEN:-}" != 1 ]; then
  VELMORA_WIDE_SCREEN=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$@"
fi
source "$(dirname "$0")/lib/drive.bash"
[ "$SCREEN_W" = 1920 ] && [ "$SCREEN_H" = 1080 ] || fail "the screen is ${SCREEN_W}x$SCREEN_H"

LOG=$(mktemp)
SHOTS=$(mktemp -d)
"$RUN/velmora" >"$LOG" 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null; wait $GAME 2>/dev/null; rm -rf "$LOG" "$SHOTS"' EXIT

wait_log "$LOG" "mode: MENU" 30 || fail "the game did not start"
MENU=$(wait_screen_change "" 60) || fail "the menu never held still"
click_virtual 176 242  # one player
ONE=$(wait_screen_change "$MENU" 60) || fail "the one-player face did not come"
click_virtual 700 193  # time attack
CHOOSER=$(wait_screen_change "$ONE" 60) || fail "the track chooser did not come"
click_virtual 530 512  # ok: the first track
wait_log "$LOG" "mode: TIME ATTACK" 30 || fail "the race did not start"
for _ in $(seq 1 120); do
  xdotool search --name '^Velmora \(FPS : [0-9]+\)$' >/dev/null 2>&1 && break
  sleep 0.25
done

# The frame: 1440 x 1080 from x = 240. The timer picture's compass window is centred on
# its pixel (324, 118) of 444 x 249, drawn 0.4 x 1.40625 pixels a picture pixel about the
# panel's centre, 1024 x 768 layout point (0, 324.2).
FRAME_X=240
FRAME_W=1440
DIAL_X=$(( FRAME_X + (5120 + 408) * FRAME_W / 10240 ))  # x = 512 + 40.8 layout units
DIAL_Y=$(( (3840 - 3268) * 1080 / 7680 ))                # y = 324.2 + 2.6 layout units up

import -window root "$SHOTS/a.png"
xdotool mousemove 960 540 keydown Left
sleep 0.6
xdotool keyup Left
import -window root "$SHOTS/b.png"
[ -n "${VELMORA_WIDE_SHOT:-}" ] && cp "$SHOTS/b.png" "$VELMORA_WIDE_SHOT"

bar=$(convert "$SHOTS/b.png" -crop "200x1080+20+0" -format "%[fx:maxima.r*255] %[fx:maxima.g*255] %[fx:maxima.b*255]" info:)
[ "$bar" = "0 0 0" ] || fail "the left bar is not black: $bar"

# What changed in the timer panel's right part, which the panel covers (so the world
# turning behind it cannot show): the arrow before and after the turn, about its pivot.
# The middle of what changed.
BOX_W=124
BOX_H=120
BOX_X=$((DIAL_X - BOX_W / 2))
BOX_Y=$((DIAL_Y - BOX_H / 2))
read -r count cx cy < <(convert "$SHOTS/a.png" "$SHOTS/b.png" -crop "${BOX_W}x${BOX_H}+$BOX_X+$BOX_Y" +repage \
    -compose difference -composite -colorspace gray -threshold 12% txt:- |
  awk -F'[,: ]+' -v ox=$BOX_X -v oy=$BOX_Y \
    'NR == 1 {x0 = 1e9; y0 = 1e9; x1 = -1; y1 = -1}
     /#FFFFFF|white/ {n++; if ($1 < x0) x0 = $1; if ($1 > x1) x1 = $1; if ($2 < y0) y0 = $2; if ($2 > y1) y1 = $2}
     END {if (n) printf "%d %d %d\n", n, ox + (x0 + x1) / 2, oy + (y0 + y1) / 2; else print "0 0 0"}')
[ "$count" -gt 50 ] || fail "the arrow did not turn in the box around its dial ($count pixels changed)"
dx=$((cx - DIAL_X)); dy=$((cy - DIAL_Y))
limit=$((FRAME_W * 2 / 100))
[ $((dx * dx + dy * dy)) -le $((limit * limit)) ] ||
  fail "the arrow turns about ($cx, $cy), the dial's centre is ($DIAL_X, $DIAL_Y)"
echo "wide screen: bars black, the arrow turns about ($cx, $cy) in its dial at ($DIAL_X, $DIAL_Y): ok"
