# Sourced by the X window tests: a private X display and a session bus, as a desktop session has.
# Both are ended, and their folder removed, by stop_x_session, which the sourcing script's exit trap
# calls.
#
# Xvfb picks a free display itself and names it once it takes connections, so tests running side
# by side never share one; -noreset keeps it from resetting when its first client leaves.
# The program gets a session bus of its own: without one, the D-Bus library starts one through
# dbus-launch, forking while the program's other threads allocate. Under AddressSanitizer, whose
# allocator does not guard fork, that child can hang before it runs dbus-launch, and the
# program's start with it.
start_x_session() {
  xdir=$(mktemp -d)  # the display's number and the bus's socket
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$xdir/display" >/dev/null 2>&1 &
  xvfb=$!
  dbus-daemon --session --nofork --address="unix:path=$xdir/session-bus" </dev/null >/dev/null 2>&1 &
  bus=$!
  for _ in $(seq 100); do [ -s "$xdir/display" ] && [ -S "$xdir/session-bus" ] && break; sleep 0.05; done
  [ -s "$xdir/display" ] || { echo "Xvfb did not start"; exit 1; }
  [ -S "$xdir/session-bus" ] || { echo "the session bus did not start"; exit 1; }
  export DISPLAY=:$(head -1 "$xdir/display") DBUS_SESSION_BUS_ADDRESS="unix:path=$xdir/session-bus"
}

stop_x_session() {
  [ -n "${bus:-}" ] && kill "$bus" 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
  [ -n "${xdir:-}" ] && rm -rf "$xdir"
  return 0
}
