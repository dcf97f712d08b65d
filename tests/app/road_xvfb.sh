#!/usr/bin/env bash
# The typical road, from the keyboard only, in the real program under Xvfb: add a meal, pick a
# food by typing the first letters of its description, add it, set its portion to 150 g, report
# the meal, save the report as a text file, open it in the text file reader, exit. Then the
# saved totals are checked against the food's stored values per 100 g, and the stored rows.
set -euo pipefail
artifacts=${5:-/tmp}
source "$(dirname "$0")/xvfb_program.sh"
source "$(dirname "$0")/xdo_keys.sh"

focus '^Platewise$'; keys Return                       # no meal yet
focus '^Korvane Platewise$'; keys alt+1 a              # Step 1, Add a new meal
focus '^Add New Meal$'; typed 'Lunch'; keys Tab; typed '12/6/2026'; keys Return
focus '^Korvane Platewise$'; typed 'butter, sal'; keys Return   # pick and add the food
keys alt+3 a                                           # Step 3, Adjust portion size
focus '^Adjust Portion Size$'; typed '150'; keys Return
focus '^Korvane Platewise$'; keys alt+r 1              # Report, for meal number 1
focus 'Select a Report by Meal Number'; typed '1'; keys Return
focus '^Korvane Platewise$'
import -window root "$artifacts/platewise-road.png" 2>/dev/null || true
keys alt+f s                                           # File, Save Report
focus '^Save Report$'; typed "$work/lunch.txt"; keys Return
for _ in $(seq 50); do [ -f "$work/lunch.txt" ] && break; sleep 0.1; done
focus '^Korvane Platewise$'; keys alt+f o              # File, Open a Report
focus '^Open File$'; typed "$work/lunch.txt"; keys Return
focus 'lunch.txt'                                      # the reader shows the saved report
focus '^Korvane Platewise$'; keys alt+f x              # File, Exit
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then echo "the program did not end on Exit"; exit 1; fi
app=

report="$work/lunch.txt"
[ -f "$report" ] || { echo "no saved report"; exit 1; }
# Totals: the food's values per 100 g times 1.5, as stored (calories to one decimal, others three).
expect() {
  local label=$1 field=$2 decimals=$3 per100 want line
  per100=$(sqlite3 "$work/Custom.mdb" "SELECT $field FROM CSR14 WHERE Description = 'Butter, salted'")
  want=$(awk -v v="$per100" -v d="$decimals" 'BEGIN { x = sprintf("%." d "f", v * 1.5) + 0; print x }')
  line=$(grep -F -- "$label" "$report" | head -1)
  got=$(printf '%s' "$line" | sed -e "s/.*$label//" | awk '{ print $1 + 0 }')
  if [ "$got" != "$want" ]; then echo "$label: report says '$line', expected $want"; exit 1; fi
  echo "$label $got"
}
expect 'Total Calories:' ENERG_KCAL 1
expect 'Total Fat in grams:' TOT_LIPID 3
expect 'Protein in grams:' PROTEIN 3
expect 'Sodium in mg:' SODIUM 3
expect 'Cholesterol in mg:' CHOLESTRL 3
grep -q $'\r$' "$report" || { echo "the report lines do not end in CR LF"; exit 1; }

rows=$(sqlite3 "$work/MealDataB.mdb" "SELECT MealNumber, MealName, Date, description, PortionSize FROM Meals")
[ "$rows" = "1|Lunch|2026-12-06|Butter, salted|150.000" ] || { echo "Meals holds: $rows"; exit 1; }
header=$(sqlite3 "$work/MealDataB.mdb" "SELECT MealNumber, MealName, MealDate FROM MealNumbers")
[ "$header" = "1|Lunch|2026-12-06" ] || { echo "MealNumbers holds: $header"; exit 1; }
echo "road ok"
