#!/usr/bin/env bash
# Smoke test of the real program in a real X server (Xvfb): the window maps with its title and
# its 794 x 525 paint area, "Partie" > "Quitter" by mouse ends it with status 0, and without
# Default.kxd the warning shows and the program ends with a failure status.
# Usage: smoke.sh PATH/TO/velmo   (CardsSets/ beside it holds the bundled sets)
set -euo pipefail
velmo=$1
for tool in Xvfb xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -f "$(dirname "$velmo")/CardsSets/Default.kxd" ] || { echo "no bundled sets beside $velmo"; exit 1; }

work=$(mktemp -d)
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null)
xvfb=$!
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
read -r -t 10 display <&3 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb

fail() { echo "FAIL: $*"; exit 1; }

# The id of the first mapped window named exactly $1, waiting up to 10 s.
wait_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s for $app to end and puts its exit status in $status. It runs in this shell,
# not in a command substitution: only the shell that started the program can collect its status.
wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$app" 2>/dev/null || { status=0; wait "$app" || status=$?; app=""; return 0; }
    sleep 0.1
  done
  return 1
}

geometry() {  # prints X Y W H of window $1 on the screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

# 1. The real program with the bundled sets.
"$velmo" >"$work/velmo.log" 2>&1 &
app=$!
win=$(wait_window Velmo) || fail "no window titled Velmo"
read -r x y w h < <(geometry "$win")
echo "window at $x,$y size ${w}x$h"
[ "$w" -eq 794 ] || fail "client width $w, not 794"
menu=$((h - 525))
[ "$menu" -gt 10 ] && [ "$menu" -lt 60 ] || fail "client height $h is not a menu bar plus 525"
xprop -id "$win" WM_NORMAL_HINTS | grep -q "minimum size: 794 by $h" || fail "not fixed in size"
xprop -id "$win" WM_NORMAL_HINTS | grep -q "maximum size: 794 by $h" || fail "not fixed in size"

# "Partie" is the menu bar's first entry; "Quitter" the last item of the menu it opens.
before=$(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort)
xdotool mousemove $((x + 20)) $((y + menu / 2)) click 1
popup=""
for _ in $(seq 50); do
  popup=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '.*' 2>/dev/null | sort) | head -1)
  [ -n "$popup" ] && break
  sleep 0.1
done
[ -n "$popup" ] || fail "the Partie menu did not open"
read -r px py pw ph < <(geometry "$popup")
xdotool mousemove $((px + pw / 2)) $((py + ph - 14)) click 1
wait_exit || fail "Quitter did not end the program"
[ "$status" -eq 0 ] || { cat "$work/velmo.log"; fail "Quitter ended with status $status"; }
echo "Quitter: exit status 0"

# 2. A copy of the program whose CardsSets/ has sets but no Default.kxd.
mkdir -p "$work/copy/CardsSets"
cp "$velmo" "$work/copy/velmo"
for set in "$(dirname "$velmo")"/CardsSets/*.kxd; do
  [ "$(basename "$set")" = Default.kxd ] || cp "$set" "$work/copy/CardsSets/"
done
"$work/copy/velmo" >"$work/copy.log" 2>&1 &
app=$!
box=$(wait_window Avertissement) || fail "no warning window"
xdotool search --onlyvisible --name '^Velmo$' >/dev/null 2>&1 && fail "the game window showed"
xdotool windowfocus --sync "$box" key Return
wait_exit || fail "the program did not end after the warning"
[ "$status" -ne 0 ] || fail "the program ended with status 0 after the warning"
echo "without Default.kxd: warning, exit status $status"
