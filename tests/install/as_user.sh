#!/usr/bin/env bash
# Runs a command as the unprivileged user nobody when started as root, else as it is.
set -euo pipefail
if [ "$(id -u)" -eq 0 ]; then
  export HOME=/tmp
  exec setpriv --reuid=65534 --regid=65534 --clear-groups -- "$@"
fi
exec "$@"
