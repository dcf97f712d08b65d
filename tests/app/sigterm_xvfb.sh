#!/usr/bin/env bash
# The real program, asked to end by SIGTERM (as a session that logs out asks it), closes through
# its event loop: it ends with 0 and gives back the data folder's lock. So it does with a session
# bus, and when the session bus it connects to at start cannot be reached.
set -euo pipefail
source "$(dirname "$0")/xvfb_program.sh"

end_by_sigterm() {  # $1: what the run was
    xdotool search --sync --onlyvisible --name '^Korvane Platewise$' >/dev/null
    [ -f "$work/Platewise.lock" ] || { echo "$1: no lock file while the program runs"; exit 1; }
    kill -TERM "$app"
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$app" 2>/dev/null; then echo "$1: the program did not end on SIGTERM"; exit 1; fi
    rc=0
    wait "$app" || rc=$?
    app=
    if [ "$rc" -ne 0 ]; then echo "$1: ended with $rc on SIGTERM"; exit 1; fi
    if [ -e "$work/Platewise.lock" ]; then echo "$1: the lock file was left behind"; exit 1; fi
    echo "$1: ended with 0, lock given back"
}

end_by_sigterm "session bus"
(cd "$work" && DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-such-bus" exec ./platewise) &
app=$!
end_by_sigterm "no session bus"
