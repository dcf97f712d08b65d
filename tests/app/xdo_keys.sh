# Sourced by the X window tests: keyboard input to the real program. No window manager runs
# under Xvfb, so each window gets the keyboard focus from us.
focus() {
  local w
  w=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | tail -1)
  [ -n "$w" ] || { echo "no window '$1'"; exit 1; }
  xdotool windowfocus --sync "$w"
  sleep 0.2
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
typed() { xdotool type --delay 60 "$1"; sleep 0.3; }
