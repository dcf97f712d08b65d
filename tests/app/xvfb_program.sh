# Sourced by the X window tests: a fresh program folder in $work with the executable, both
# database files and both documents, a private X display and session bus, and the program started
# in it ($app is its process). Everything is ended and removed on exit.
# Arguments of the sourcing script: executable, food file, meal file, documents folder.
work=$(mktemp -d)
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh"
cleanup() { [ -n "${app:-}" ] && kill "$app" 2>/dev/null; stop_x_session; rm -rf "$work"; }
trap cleanup EXIT
cp "$1" "$work/platewise"; cp "$2" "$work/Custom.mdb"; cp "$3" "$work/MealDataB.mdb"
cp "$4"/Help.rtf "$4"/DV.rtf "$work/"

start_x_session
unset QT_QPA_PLATFORM
(cd "$work" && exec ./platewise) &
app=$!
