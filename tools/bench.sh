#!/usr/bin/env bash
# Builds the game, then prints its performance figures, one a line ("name: value"),
# measured unpaced at 1024x768 (under Xvfb when no display is set).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != "--measure" ]; then
  source tools/setup.sh
  velmora_setup >&2
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" --measure
  fi
fi

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export VELMORA_QUIET_MESSAGES=1

# Process start to the first menu frame shown, median of five starts.
startup_ms() {
  local samples=()
  for _ in 1 2 3 4 5; do
    local start line shown
    start=$(date +%s%3N)
    coproc GAME { VELMORA_UNPACED=1 VELMORA_REPORT_FIRST_FRAME=1 exec build/run/velmora; }
    line=""
    read -r -t 30 line <&"${GAME[0]}" || true
    kill "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    shown=${line#first_frame_at_ms: }
    [ -n "$line" ] && samples+=($((shown - start)))
  done
  printf '%s\n' "${samples[@]}" | sort -n | sed -n 3p
}

echo "startup_to_menu_ms: $(startup_ms)"
# Google Benchmark figures of the loaders, the world and the race; a benchmark that
# stands for a named figure reports it as a counter, printed here as "name: value".
build/velmora_bench --benchmark_format=console --benchmark_out="$PWD/build/bench.json" \
  --benchmark_out_format=json >&2
python3 - "$PWD/build/bench.json" <<'PY'
import json, sys
data = json.load(open(sys.argv[1]))
for b in data["benchmarks"]:
    for key, value in b.items():
        if key.endswith(("_ms", "_ratio")) and isinstance(value, (int, float)):
            print(f"{key}: {value:.3f}")
PY
