#!/usr/bin/env bash
# Joining a host that is not there: a name that does not resolve, then an address where
# nothing listens. Each time the player is told why (the message box; with quiet
# messages its text is on standard error) and is back in the menu, and the game quits
# normally. Loopback only: the name is refused before any lookup leaves the machine.
set -uo pipefail
RUN=${1:?usage: lan_join_unreachable.sh RUN_FOLDER}
source "$(dirname "$0")/lib/drive.bash"
source "$(dirname "$0")/lib/lan.bash"

LOG_A=$(mktemp)
A=""
B=""
trap 'kill $A 2>/dev/null; rm -f "$LOG_A"' EXIT

# A label longer than 63 characters: the resolver refuses it without asking anyone.
UNKNOWN=$(printf 'x%.0s' $(seq 1 70))

ss -Hlun 'sport = :1234' | grep -q . && fail "UDP port 1234 is in use: a game is running"

for address in "$UNKNOWN" 127.0.0.1; do
  : >"$LOG_A"
  "$RUN/velmora" --join "$address" >"$LOG_A" 2>&1 &
  A=$!
  wait_log "$LOG_A" "mode: MENU" 30 || fail "the game did not start"
  choose_lan A "$LOG_A"
  for _ in $(seq 1 120); do
    [ "$(grep -c '^mode: MENU$' "$LOG_A")" -ge 2 ] && break
    sleep 0.25
  done
  grep -q "^\[Velmora\] The host \"$address\" cannot be reached: " "$LOG_A" ||
    fail "no message for $address: $(tail -3 "$LOG_A" | xargs)"
  [ "$(grep -c '^mode: MENU$' "$LOG_A")" -ge 2 ] || fail "not back in the menu after $address"
  grep "cannot be reached" "$LOG_A"
  wait_screen_settled "" 60 >/dev/null
  click_virtual 655 558  # quit
  wait_exit "$A" 30
  [ "$EXIT_CODE" = 0 ] || fail "the game ended with $EXIT_CODE after $address"
done
echo "joining an unreachable host: ok"
