#!/usr/bin/env bash
# Runs a command as the unprivileged user nobody when started as root, else as it is.
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
  export HOME=/tmp
  # A build inside a folder only root may enter (a clone under /root) cannot be run as nobody.
  if ! setpriv --reuid=65534 --regid=65534 --clear-groups -- test -x "$1"; then
    echo "[  SKIPPED ] $1 cannot be run by the user nobody from where it was built"
    exit 0
  fi
  exec setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
fi
exec "$@"
