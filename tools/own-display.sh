# Sourced by the checks that show windows: starts an Xvfb display of the
# caller's own (the first free number from 70 on), exports DISPLAY and stops
# the display when the caller's shell exits.
for tw_n in $(seq 70 140); do
  [ -e "/tmp/.X11-unix/X$tw_n" ] || [ -e "/tmp/.X$tw_n-lock" ] || break
done
Xvfb ":$tw_n" -screen 0 800x600x24 >/dev/null 2>&1 &
tw_xvfb=$!
trap 'kill $tw_xvfb 2>/dev/null' EXIT
sleep 1
export DISPLAY=":$tw_n"
