# Sourced by the X window tests: a fresh program folder in $work with the executable, both
# database files and both documents, a private Xvfb display, and the program started in it
# ($app is its process). Everything is ended and removed on exit.
# Arguments of the sourcing script: executable, food file, meal file, documents folder.
work=$(mktemp -d)
cleanup() { [ -n "${app:-}" ] && kill "$app" 2>/dev/null; [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
cp "$1" "$work/platewise"; cp "$2" "$work/Custom.mdb"; cp "$3" "$work/MealDataB.mdb"
cp "$4"/Help.rtf "$4"/DV.rtf "$work/"

display=:$(( 90 + RANDOM % 800 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
unset QT_QPA_PLATFORM
(cd "$work" && exec ./platewise) &
app=$!
