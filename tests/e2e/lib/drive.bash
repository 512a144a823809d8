# Helpers for driving the real game from outside under an X display (Xvfb in ./check):
# clicks and keys with xdotool, screenshots with ImageMagick.

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export VELMORA_QUIET_MESSAGES=1
export VELMORA_TRACE_MODES=1

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

read -r SCREEN_W SCREEN_H < <(xdotool getdisplaygeometry)

# Menu positions are virtual units of an 800 x 600 face, which fills the screen's height
# at 4:3 and stands centred (bars beside it on a wide screen).
px() {
  local face=$((SCREEN_H * 4 / 3))
  echo $(((SCREEN_W - face) / 2 + $1 * face / 800)) $(($2 * SCREEN_H / 600))
}

click_virtual() {
  local x y
  read -r x y < <(px "$1" "$2")
  xdotool mousemove "$x" "$y"
  sleep 0.1
  xdotool mousedown 1
  sleep 0.15
  xdotool mouseup 1
  sleep 0.1
  xdotool mousemove 2 2  # off every button, so no face shows a hovered button
}

# A small fingerprint of what the screen shows.
screen_hash() { import -window root -resize 64x48! -depth 8 rgb:- 2>/dev/null | md5sum | cut -c1-32; }

pixel() {  # "r g b" of the pixel at (x, y)
  import -window root -crop "1x1+$1+$2" -depth 8 rgb:- 2>/dev/null | od -An -tu1 | xargs
}

# Waits until the screen shows something other than `$1` and holds still.
wait_screen_change() {
  local before=$1 timeout=${2:-60} last="" now
  for _ in $(seq 1 $((timeout * 3))); do
    now=$(screen_hash)
    if [ "$now" != "$before" ] && [ "$now" = "$last" ]; then
      echo "$now"
      return 0
    fi
    last=$now
    sleep 0.33
  done
  return 1
}

wait_screen_equal() {
  local wanted=$1 timeout=${2:-60}
  for _ in $(seq 1 $((timeout * 3))); do
    [ "$(screen_hash)" = "$wanted" ] && return 0
    sleep 0.33
  done
  return 1
}

wait_log() {  # waits until the file holds the line
  local file=$1 line=$2 timeout=${3:-60}
  for _ in $(seq 1 $((timeout * 4))); do
    grep -qx -- "$line" "$file" 2>/dev/null && return 0
    sleep 0.25
  done
  return 1
}

wait_exit() {  # waits for the process (a child of this shell); sets EXIT_CODE
  local pid=$1 timeout=${2:-30}
  EXIT_CODE=timeout
  for _ in $(seq 1 $((timeout * 4))); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      EXIT_CODE=$?
      return 0
    fi
    sleep 0.25
  done
}
