#!/usr/bin/env bash
# Two real games on one machine race each other over the LAN link: both choose two
# players and LAN; the first hosts, the second joins it; both race, see each other, and
# come back to the menu; both quit with code 0.
set -uo pipefail
RUN=${1:?usage: lan_race.sh RUN_FOLDER}
source "$(dirname "$0")/lib/drive.bash"

LOG_A=$(mktemp)
LOG_B=$(mktemp)
A=""
B=""
trap 'kill $A $B 2>/dev/null; rm -f "$LOG_A" "$LOG_B"' EXIT

choose_lan() {  # on the game whose window is on top
  local menu two
  menu=$(wait_screen_change "" 60) || fail "$1: the menu never held still"
  click_virtual 330 348  # two players
  two=$(wait_screen_change "$menu" 60) || fail "$1: the two-player screen did not come"
  click_virtual 213 493  # LAN
}

"$RUN/velmora" >"$LOG_A" 2>&1 &
A=$!
wait_log "$LOG_A" "mode: MENU" 30 || fail "A did not start"
choose_lan A
wait_log "$LOG_A" "mode: LAN" 30 || fail "A did not start the network race"

"$RUN/velmora" >"$LOG_B" 2>&1 &
B=$!
wait_log "$LOG_B" "mode: MENU" 30 || fail "B did not start"
choose_lan B
wait_log "$LOG_B" "mode: LAN" 30 || fail "B did not start the network race"

wait_log "$LOG_A" "LAN: player 2 is racing" 30 || fail "the host never heard the joiner"
wait_log "$LOG_B" "LAN: player 1 is racing" 30 || fail "the joiner never heard the host"

# Both races end with their clocks and go back to the menu.
for log in "$LOG_A" "$LOG_B"; do
  for _ in $(seq 1 480); do
    [ "$(grep -c '^mode: MENU$' "$log")" -ge 2 ] && break
    sleep 0.25
  done
  [ "$(grep -c '^mode: MENU$' "$log")" -ge 2 ] || fail "a game did not come back to the menu"
done

# B's window is on top: quit it first, then A's.
for game in B A; do
  pid=${!game}
  wait_screen_change "" 60 >/dev/null
  click_virtual 655 558
  wait_exit "$pid" 30
  [ "$EXIT_CODE" = 0 ] || fail "$game ended with $EXIT_CODE"
done
echo "network race between two games: ok"
