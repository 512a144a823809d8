#!/usr/bin/env bash
# Two real games on one machine race each other over the LAN link: both choose two
# players and LAN; the first hosts, the second joins it; both race, see each other, and
# come back to the menu; both quit with code 0. The joining pilot flies with the arrows:
# a left turn held on the joining game shows in the records the host receives.
set -uo pipefail
RUN=${1:?usage: lan_race.sh RUN_FOLDER}
source "$(dirname "$0")/lib/drive.bash"
source "$(dirname "$0")/lib/lan.bash"

LOG_A=$(mktemp)
LOG_B=$(mktemp)
A=""
B=""
trap 'kill $A $B 2>/dev/null; rm -f "$LOG_A" "$LOG_B"' EXIT

"$RUN/velmora" >"$LOG_A" 2>&1 &
A=$!
wait_log "$LOG_A" "mode: MENU" 30 || fail "A did not start"
choose_lan A "$LOG_A"
wait_log "$LOG_A" "mode: LAN" 30 || fail "A did not start the network race"
wait_log "$LOG_A" "LAN: waiting for player 2" 30 || fail "A does not wait for the other player"

"$RUN/velmora" >"$LOG_B" 2>&1 &
B=$!
wait_log "$LOG_B" "mode: MENU" 30 || fail "B did not start"
choose_lan B "$LOG_B"
wait_log "$LOG_B" "mode: LAN" 30 || fail "B did not start the network race"

wait_log "$LOG_A" "LAN: player 2 is racing" 30 || fail "the host never heard the joiner"
wait_log "$LOG_B" "LAN: player 1 is racing" 30 || fail "the joiner never heard the host"
wait_log "$LOG_B" "LAN: the race starts" 30 || fail "the joiner's race never started"
wait_log "$LOG_A" "LAN: the race starts" 30 || fail "the host's race never started"

# B's window is on top and under the pointer: it gets the keys. Held as a person holds
# a key, over many frames.
xdotool keydown Left
sleep 1.5
xdotool keyup Left
sleep 1.2  # the host traces the other craft's heading once a second
grep -q '^LAN: player 2 yaw -\?[1-9]' "$LOG_A" ||
  fail "the joining craft did not turn as the host sees it: $(grep 'yaw' "$LOG_A" | tail -3 | xargs)"
grep -q '^LAN: player 1 yaw -\?[1-9]' "$LOG_B" && fail "the host's craft turned without a key"

# Both races end with their clocks and go back to the menu.
for log in "$LOG_A" "$LOG_B"; do
  wait_back_in_menu "$log" || fail "a game did not come back to the menu"
done
quit_games
echo "network race between two games: ok"
