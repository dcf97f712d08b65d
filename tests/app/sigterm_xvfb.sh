#!/usr/bin/env bash
# The real program, asked to end by SIGTERM (as a session that logs out asks it), closes through
# its event loop: it ends with 0 and gives back the data folder's lock.
set -euo pipefail
source "$(dirname "$0")/xvfb_program.sh"

xdotool search --sync --onlyvisible --name '^Korvane Platewise$' >/dev/null
[ -f "$work/Platewise.lock" ] || { echo "no lock file while the program runs"; exit 1; }
kill -TERM "$app"
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "the program did not end on SIGTERM"; exit 1; fi
rc=0
wait "$app" || rc=$?
app=
if [ "$rc" -ne 0 ]; then echo "ended with $rc on SIGTERM"; exit 1; fi
if [ -e "$work/Platewise.lock" ]; then echo "the lock file was left behind"; exit 1; fi
echo "ended with 0, lock given back"
