#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as a new user would: the installed desktop
# files validate, the first start (offscreen) makes the user's data folder from the installed
# templates, a meal recorded from the keyboard (under Xvfb) lands there, its chart opens from the
# installed module, and a second install and start leave the meal in place.
# Arguments: build folder, meal template, food template, the chart module's folder in the install.
set -euo pipefail
build=$1 meal_template=$2 food_template=$3 module_dir=$4
id=net.korvane.Platewise
tmp=$(mktemp -d)
source "$(dirname "$0")/../app/x_session.sh"
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null
  stop_x_session
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
prefix=$tmp/prefix
export HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg XDG_CONFIG_HOME=$tmp/config XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
data=$XDG_DATA_HOME/Platewise

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/platewise "$module_dir/libplatewise_chart.so" \
         share/platewise/Custom.mdb share/platewise/MealDataB.mdb \
         share/platewise/Help.rtf share/platewise/DV.rtf share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml share/icons/hicolor/scalable/apps/$id.svg \
         share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png \
         share/man/man1/platewise.1.gz share/doc/platewise/copyright; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
for size in 48 256; do
  file "$prefix/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size" \
    || fail "the $size px icon is not a $size x $size PNG"
done
# The fresh templates are installed, never a program folder's meals.
cmp -s "$prefix/share/platewise/MealDataB.mdb" "$meal_template" || fail "installed meal file is not the template"
cmp -s "$prefix/share/platewise/Custom.mdb" "$food_template" || fail "installed food file is not the template"
[ -z "$(ls "$prefix/bin" | grep -v '^platewise$')" ] || fail "bin holds more than the program: $(ls "$prefix/bin")"

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo"
grep -q '^Name=Korvane Platewise$' "$prefix/share/applications/$id.desktop" || fail "desktop entry name"
man -l "$prefix/share/man/man1/platewise.1.gz" 2>&1 >/dev/null | grep . && fail "man page warnings"

export QT_QPA_PLATFORM=offscreen
[ "$("$prefix/bin/platewise" --version)" = "Platewise 1.0" ] || fail "--version: $("$prefix/bin/platewise" --version)"
"$prefix/bin/platewise" --help | grep -q -- '--data-dir <folder>' || fail "--help lacks --data-dir"
[ ! -e "$data" ] || fail "--help or --version made the data folder"

# A first start makes the user's data folder; it then waits on the no-meal message.
(cd "$tmp" && exec "$prefix/bin/platewise") &
app=$!
for _ in $(seq 100); do [ -f "$data/Platewise.lock" ] && [ -f "$data/MealDataB.mdb" ] && break; sleep 0.1; done
[ -f "$data/Platewise.lock" ] || fail "no lock file in $data"
kill "$app"; wait "$app" 2>/dev/null || true; app=
cmp -s "$data/MealDataB.mdb" "$meal_template" || fail "the user's meal file is not a fresh copy"
cmp -s "$data/Custom.mdb" "$food_template" || fail "the user's food file is not a fresh copy"

# Record a meal from the keyboard in a real X window.
unset QT_QPA_PLATFORM
start_x_session
(cd "$tmp" && exec "$prefix/bin/platewise") &
app=$!
source "$(dirname "$0")/../app/xdo_keys.sh"
focus '^Platewise$'; keys Return                       # no meal yet
focus '^Korvane Platewise$'; keys alt+1 a              # Step 1, Add a new meal
focus '^Add New Meal$'; typed 'Supper'; keys Tab; typed '12/6/2026'; keys Return
focus '^Korvane Platewise$'; typed 'butter, sal'; keys Return   # pick and add the food
# Qt Charts comes in with the first chart, from the installed module.
grep -q libQt6Charts "/proc/$app/maps" && fail "Qt Charts is mapped before a chart is opened"
keys alt+r 1                                           # Report, for meal number 1
focus 'Select a Report by Meal Number'; typed '1'; keys Return
focus '^Korvane Platewise$'; keys alt+r c              # Report, Chart of the report
focus '^Report Chart$'
grep -qF "$prefix/$module_dir/libplatewise_chart.so" "/proc/$app/maps" ||
  fail "the chart did not come from $prefix/$module_dir"
keys Escape
focus '^Korvane Platewise$'; keys alt+f x              # File, Exit
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "the program did not end on Exit"
app=
meal() { sqlite3 "$data/MealDataB.mdb" "SELECT MealNumber, MealName, description FROM Meals WHERE description <> ''"; }
[ "$(meal)" = "1|Supper|Butter, salted" ] || fail "the user's folder holds: $(meal)"
[ -z "$(sqlite3 "$prefix/share/platewise/MealDataB.mdb" "SELECT * FROM Meals")" ] || fail "the meal went into the install"

# A second install over the first, and a start of it: the meal stays.
cmake --install "$build" --prefix "$prefix" >/dev/null
export QT_QPA_PLATFORM=offscreen
(cd "$tmp" && exec "$prefix/bin/platewise") &
app=$!
sleep 2
kill -0 "$app" 2>/dev/null || fail "the second start ended"
kill "$app"; wait "$app" 2>/dev/null || true; app=
[ "$(meal)" = "1|Supper|Butter, salted" ] || fail "after the second install the user's folder holds: $(meal)"
echo "install ok"
