#!/usr/bin/env bash
# Keeps the folders layered one way and every handler of a user action guarded. Fails, naming
# each offending line, on:
#  - an include of app/ from a feature folder (meals, reports, custom, viewers), the main
#    window's own member files (FormB_*.cpp) aside;
#  - an include between reports/ and viewers/;
#  - an include of app/ or of a feature folder from platform/ or data/, or of platform/ from data/;
#  - a plain connect outside platform/ that is not one of the kinds allowed below.
# Usage: layering.sh [source folder]
set -uo pipefail
shopt -s lastpipe  # `offending` runs in this shell, so it can set `failed`
cd "${1:-$(dirname "$0")/../..}"

failed=0
# offending LABEL: prints the grep lines read on stdin under LABEL; any line fails the check.
offending() {
  local lines
  lines=$(cat)
  [ -z "$lines" ] && return
  echo "$1:"
  echo "$lines"
  failed=1
}

sources() { find "$@" -name '*.cpp' -o -name '*.h'; }
includes() { grep -Hn "^#include \"\\($2\\)/" $1 /dev/null; }

features="meals reports custom viewers"
includes "$(sources $features | grep -v '/FormB_[^/]*\.cpp$')" 'app' |
  offending "a feature folder includes app/"
includes "$(sources reports)" 'viewers' | offending "reports/ includes viewers/"
includes "$(sources viewers)" 'reports' | offending "viewers/ includes reports/"
includes "$(sources platform)" "app\\|${features// /\\|}" |
  offending "platform/ includes a folder above it"
includes "$(sources data)" "platform\\|app\\|${features// /\\|}" |
  offending "data/ includes a folder above it"

# Every control is wired through connectGuarded. A plain connect is allowed only where no
# handler of the program runs, or where its body runs the handler through runGuarded itself:
#   QObject::destroyed        forgets a window that has closed
#   QWidget::close            a button or key that only closes its window
#   frmAbout::Command1_Click  the About box's OK, which only closes it (the box has no Platform)
#   QAction::enabledChanged   one menu item's enabling follows another's
#   QAbstractBarSeries::hovered  the chart's hover tip
#   QButtonGroup::id*         signals with arguments; their body runs through runGuarded
# platform/ wires its own controls (a list's rows, its page buttons) and hands the events to its
# owner's handlers through the guard the owner gives it.
allowed='&QObject::destroyed|&QWidget::close|&frmAbout::Command1_Click|&QAction::enabledChanged'
allowed+='|&QAbstractBarSeries::hovered|&QButtonGroup::id(Toggled|Clicked)'
grep -Hn '\bconnect(' $(sources app data $features) /dev/null | grep -v 'connectGuarded' |
  grep -Ev "$allowed" | offending "a plain connect where connectGuarded belongs"

[ "$failed" = 0 ] && echo "layering and wiring: ok"
exit "$failed"
