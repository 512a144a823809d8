# Steps shared by the network race scripts. Source after drive.bash.

# Waits until the screen shows something other than `$1` and holds still for about
# 1.3 s: on a busy machine a slow transition can show one frame for two looks.
wait_screen_settled() {
  local before=$1 timeout=${2:-60} last="" now same=0
  for _ in $(seq 1 $((timeout * 3))); do
    now=$(screen_hash)
    if [ "$now" != "$before" ] && [ "$now" = "$last" ]; then
      same=$((same + 1))
      [ "$same" -ge 4 ] && echo "$now" && return 0
    else
      same=0
    fi
    last=$now
    sleep 0.33
  done
  return 1
}

# Clicks at a virtual point until the screen leaves `$3` for good (the hovered button
# alone does not count): a game on a busy machine can miss a click, and a second one on
# the unchanged screen does the same thing.
click_until_change() {
  local x=$1 y=$2 before=$3 try
  for try in 1 2 3; do
    click_virtual "$x" "$y"
    sleep 3
    [ "$(screen_hash)" != "$before" ] && return 0
  done
  return 1
}

choose_lan() {  # GAME LOG: on the game whose window is on top
  local menu two
  menu=$(wait_screen_settled "" 60) || fail "$1: the menu never held still"
  click_until_change 330 348 "$menu" || fail "$1: the two-player screen did not come"  # two players
  two=$(wait_screen_settled "$menu" 60) || fail "$1: the two-player screen did not settle"
  click_until_change 213 493 "$two" || fail "$1: LAN was not taken"
  wait_log "$2" "mode: LAN" 30 || fail "$1 did not start the network race"
}

# The last clock value a game traced, or nothing.
last_time_left() { grep '^LAN: time left ' "$1" | tail -1 | awk '{print $4}'; }

# Waits until the game's log shows the menu a second time (the race is over).
wait_back_in_menu() {
  for _ in $(seq 1 480); do
    [ "$(grep -c '^mode: MENU$' "$1")" -ge 2 ] && return 0
    sleep 0.25
  done
  return 1
}

# B's window is on top: quit it first, then A's.
quit_games() {
  local game pid
  for game in B A; do
    pid=${!game}
    wait_screen_change "" 60 >/dev/null
    click_virtual 655 558
    wait_exit "$pid" 30
    [ "$EXIT_CODE" = 0 ] || fail "$game ended with $EXIT_CODE"
  done
}
