#!/usr/bin/env bash
# Runs every benchmark of the build on the offscreen platform and prints one table of the
# figures with their goals.
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=offscreen
csv=$(mktemp)
trap 'rm -f "$csv"' EXIT
for b in bench_platewise bench_report; do
  "$build/bench/$b" --benchmark_format=csv >>"$csv"
done
awk -F, '
  function row(what, value, unit, goal) { printf "%-52s %10s %-3s %s\n", what, value, unit, goal }
  { gsub(/"/, "") }
  $1 ~ /^ProcessStartToMainWindow/ { start = $3; foods = $11; mb = $12 }
  $1 == "KeyboardSearchPerKeystroke" { search = $3 }
  $1 == "FindFoodByDescription" { find = $3 }
  $1 == "PortionAdjustment" { portion = $3 }
  $1 == "FindPerKeystroke" { findkey = $3 }
  $1 == "FindPerKeystroke100k" { findbig = $3 }
  $1 == "FindIndexFirstUse" { findindex = $3 }
  $1 == "FindWindowOpen" { findopen = $3 }
  $1 == "BM_ReportEngine" { report = $3 }
  $1 == "BM_ChartWindowOpen" { chart = $3 }
  $1 == "BM_ReportCsvExport" { csvexport = $3 }
  $1 == "BM_RestoreTenYears" { restore = $3 }
  END {
    row("what", "figure", "", "goal")
    row("start-up to the main window with all " foods " foods", sprintf("%.1f", start), "ms", "250 ms")
    row("keyboard search in the food list, per keystroke", sprintf("%.3f", search), "ms", "5 ms")
    row("finding a food by its description", sprintf("%.3f", find), "ms", "1 ms")
    row("a portion adjustment", sprintf("%.2f", portion), "ms", "")
    row("Find a Food, one keystroke over the food table", sprintf("%.3f", findkey), "ms", "2 ms")
    row("Find a Food, one keystroke over 100,000 foods", sprintf("%.2f", findbig), "ms", "20 ms")
    row("Find a Food, building the index on first use", sprintf("%.1f", findindex), "ms", "")
    row("Find a Food, opening the window", sprintf("%.2f", findopen), "ms", "30 ms")
    row("the report over 32,767 item rows", sprintf("%.1f", report), "ms", "100 ms")
    row("the chart window for a range of 32,767 item rows", sprintf("%.1f", chart), "ms", "150 ms")
    row("the CSV export of that report", sprintf("%.1f", csvexport), "ms", "50 ms")
    row("restoring a backup of ten years of meals (43,800 items)", sprintf("%.0f", restore), "ms", "2000 ms")
    row("peak memory at start-up", sprintf("%.1f", mb), "MB", "60 MB")
  }' "$csv"
