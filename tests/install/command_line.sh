#!/usr/bin/env bash
# The program answers --help, --help-all and --version from a plain terminal: no display, no
# Qt platform chosen, a fresh home. Each prints, exits 0 and makes no data folder.
# Argument: the program.
set -euo pipefail
program=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
bare() { env -i PATH=/usr/bin:/bin HOME="$tmp" "$program" "$@"; }

for option in --help -h --help-all --version -v; do
  rc=0
  bare "$option" >"$tmp/out" 2>"$tmp/err" || rc=$?
  [ "$rc" = 0 ] || fail "$option exits $rc: $(cat "$tmp/err")"
  case $option in
    --version|-v)
      [ "$(cat "$tmp/out")" = "Platewise 1.0" ] || fail "$option prints: $(cat "$tmp/out")" ;;
    *)
      [ "$(head -n1 "$tmp/out")" = "Usage: platewise [options]" ] \
        || fail "$option usage line: $(head -n1 "$tmp/out")"
      grep -q -- '--data-dir <folder>' "$tmp/out" || fail "$option lacks --data-dir" ;;
  esac
done
# Only --help-all lists the window system's options.
bare --help-all | grep -q -- '--platform <platformName' || fail "--help-all lacks --platform"
! bare --help | grep -q -- '--platform' || fail "--help lists the window system's options"
[ ! -e "$tmp/.local/share/Platewise" ] || fail "printing help made the data folder"
echo "help and version answered without a display"
