# Sourced by the scripts that run Wine programs: a display for them. With
# DISPLAY set, the caller's display serves; otherwise own_display starts an
# Xvfb of our own (its own number, chosen by Xvfb itself), exports DISPLAY
# and sets xvfb_pid for stop_own_display.
xvfb_pid=
own_display() {
  exec 3< <(exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null)
  xvfb_pid=$!
  local number
  read -r -t 20 number <&3 || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$number"
}
stop_own_display() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
