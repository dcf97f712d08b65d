#!/usr/bin/env bash
# Starts the real program from a fresh program folder in a real X window under Xvfb, sees the
# main window, answers the no-meal message and ends the program with Exit.
set -euo pipefail
source "$(dirname "$0")/xvfb_program.sh"

# The no-meal message comes up over the main window: answer it with Enter.
msg=$(xdotool search --sync --onlyvisible --name '^Platewise$' | head -1)
main=$(xdotool search --sync --onlyvisible --name '^Korvane Platewise$' | head -1)
echo "main window $main, message $msg"
# No window manager runs here: give the box the keyboard focus ourselves, then type.
xdotool windowfocus --sync "$msg"
xdotool key Return
# The message has gone; the main window is still there.
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Platewise$' >/dev/null 2>&1 || break; sleep 0.1
done
if xdotool search --onlyvisible --name '^Platewise$' >/dev/null 2>&1; then
  echo "the no-meal message did not close"; exit 1
fi
kill -0 "$app"
# A second Platewise in the same folder says the files are in use and ends; the first goes on.
(cd "$work" && exec ./platewise) &
second=$!
busy=$(xdotool search --sync --onlyvisible --name '^Platewise$' | head -1)
xdotool windowfocus --sync "$busy"
xdotool key Return
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$second" 2>/dev/null; then echo "a second program in the same folder went on"; exit 1; fi
if wait "$second"; then echo "a second program in the same folder did not fail"; exit 1; fi
kill -0 "$app"
if command -v import >/dev/null; then import -window root "${ARTIFACT_DIR:-/tmp}/platewise-smoke.png" || true; fi
# Exit through the File menu from the keyboard.
xdotool windowfocus --sync "$main"
xdotool key alt+f
# The File menu opens as a window of its own; wait for it before choosing E&xit.
for _ in $(seq 50); do
  [ "$(xdotool search --onlyvisible --name '.*' 2>/dev/null | wc -l)" -gt 2 ] && break; sleep 0.1
done
xdotool key x
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "the program did not end on Exit"; exit 1; fi
wait "$app"; rc=$?
app=
echo "ended with $rc"
exit $rc
