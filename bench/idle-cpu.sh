#!/usr/bin/env bash
# Processor time of a program in a real X window (Xvfb) over a fixed span, with a game on screen.
# Usage: bench/idle-cpu.sh BIN_DIR [SECONDS] [SCREENSHOT_PREFIX]
# Prints one line per program: "cpu NAME TICKS CLK_TCK SECONDS" (TICKS = utime + stime).
set -euo pipefail

bin=$1
span=${2:-10}
shots=${3:-}
ticks_per_second=$(getconf CLK_TCK)

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export XDG_RUNTIME_DIR="$work"
unset QT_QPA_PLATFORM

# utime + stime of a process, in clock ticks (fields 14 and 15, counted after the command name).
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$1/stat")
  stat=${stat##*) }
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}

# measure NAME TITLE COMMAND...: starts the program, waits for its window, runs the set-up
# steps for NAME, then counts its processor time over the span.
measure() {
  local name=$1 title=$2
  shift 2
  "$@" >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "^${title}\$" | head -1)
  sleep 1
  if [ "$name" = velmo ]; then
    # Partie, then its first entry Nouvelle: a game starts and the board shows the backs.
    xdotool mousemove --window "$window" 20 10 click 1
    sleep 0.5
    xdotool mousemove --window "$window" 30 38 click 1
    # The pointer leaves the board, so no hover changes happen during the span.
    xdotool mousemove 1279 1023
    sleep 1
  fi
  [ -n "$shots" ] && import -window root "${shots}-${name}.png"
  local before after
  before=$(cpu_ticks "$pid")
  sleep "$span"
  after=$(cpu_ticks "$pid")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "cpu $name $((after - before)) $ticks_per_second $span"
}

measure floor "Velmo floor" "$bin/velmo-tick-floor"
measure velmo "Velmo" "$bin/velmo"
