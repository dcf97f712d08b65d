#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, only when missing.
set -euo pipefail
pkgs=(build-essential cmake ninja-build g++ pkg-config
      qt6-base-dev libqt6opengl6-dev libgl-dev libsqlitecpp-dev libsqlite3-dev
      qt6-charts-dev qt6-svg-dev
      libgtest-dev libbenchmark-dev fonts-liberation unzip
      xvfb xdotool dbus-daemon imagemagick poppler-utils sqlite3 clang-14 libclang-rt-14-dev
      clang-format
      librsvg2-bin desktop-file-utils appstream dpkg-dev file lintian)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
