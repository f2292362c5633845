# Shell functions of the tests that drive a real program in a private X server (sourced).
# Needs Xvfb, xdotool and xwininfo.

# Starts Xvfb on a free display, sets $xvfb to its process and exports DISPLAY. -noreset: by
# default the server resets whenever its last client leaves, and a program that connects during
# the reset (the next program, the next xdotool) is refused.
start_xvfb() {
  exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>/dev/null)
  xvfb=$!
  local display
  read -r -t 10 display <&3 || return 1
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
}

visible() { xdotool search --onlyvisible --name '.*' 2>/dev/null | sort; }

# The id of the first mapped window that was not in the list $1, waiting up to 5 s.
wait_new_window() {
  local id
  for _ in $(seq 50); do
    id=$(comm -13 <(echo "$1") <(visible) | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

geometry() {  # prints X Y W H of window $1 on the screen
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
    /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}
