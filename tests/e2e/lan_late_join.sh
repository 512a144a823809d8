#!/usr/bin/env bash
# A network race where the second player comes late: the host waits 25 s alone without
# its clock running, and 8 s after the join both games show the same time left.
set -uo pipefail
RUN=${1:?usage: lan_late_join.sh RUN_FOLDER}
source "$(dirname "$0")/lib/drive.bash"
source "$(dirname "$0")/lib/lan.bash"

LOG_A=$(mktemp)
LOG_B=$(mktemp)
A=""
B=""
trap 'kill $A $B 2>/dev/null; [ -n "${KEEP_LOGS:-}" ] && cat "$LOG_A" "$LOG_B" >&2; rm -f "$LOG_A" "$LOG_B"' EXIT

"$RUN/velmora" >"$LOG_A" 2>&1 &
A=$!
wait_log "$LOG_A" "mode: MENU" 30 || fail "A did not start"
choose_lan A "$LOG_A"
wait_log "$LOG_A" "LAN: waiting for player 2" 30 || fail "A does not wait for the other player"

sleep 25
grep -q '^LAN: time left' "$LOG_A" && fail "the host's clock ran while it was alone"
[ "$(grep -c '^mode: MENU$' "$LOG_A")" -eq 1 ] || fail "the host left its race while alone"

"$RUN/velmora" >"$LOG_B" 2>&1 &
B=$!
wait_log "$LOG_B" "mode: MENU" 30 || fail "B did not start"
choose_lan B "$LOG_B"
wait_log "$LOG_B" "mode: LAN" 30 || fail "B did not start the network race"
sleep 8

# Each game traces its clock when a second is counted; a look may fall between the two
# games' ticks of one second, so a few looks a fifth of a second apart are allowed.
same=""
for _ in 1 2 3 4 5; do
  a=$(last_time_left "$LOG_A")
  b=$(last_time_left "$LOG_B")
  [ -n "$a" ] && [ "$a" = "$b" ] && same=$a && break
  sleep 0.2
done
[ -n "$same" ] || fail "8 s after the join the games show different times: host '$a', joiner '$b'"
initial=$(grep '^LAN: time left ' "$LOG_A" | head -1 | awk '{print $4}')
[ "$same" -lt "$initial" ] || fail "the clocks did not run after the join ($same of $initial)"
echo "8 s after the join both games show $same s left (the race began at $initial s)"

for log in "$LOG_A" "$LOG_B"; do
  wait_back_in_menu "$log" || fail "a game did not come back to the menu"
done
quit_games
echo "late join of a network race: ok"
