#!/usr/bin/env bash
# Smoke test of the real program in a real X server (Xvfb): the window maps with its title and
# its 794 x 525 paint area, "Partie" > "Quitter" by mouse ends it with status 0, and without
# Default.kxd the warning shows and the program ends with a failure status.
# Usage: smoke.sh PATH/TO/velmo   (CardsSets/ beside it holds the bundled sets)
set -euo pipefail
source "$(dirname "$0")/../support/xserver.sh"
velmo=$1
for tool in Xvfb xdotool xwininfo xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -f "$(dirname "$velmo")/CardsSets/Default.kxd" ] || { echo "no bundled sets beside $velmo"; exit 1; }

work=$(mktemp -d)
app=""
xvfb=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
start_xvfb || fail "Xvfb did not start"

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
before=$(visible)
xdotool mousemove $((x + 20)) $((y + menu / 2)) click 1
popup=$(wait_new_window "$before") || fail "the Partie menu did not open"
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
