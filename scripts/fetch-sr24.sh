#!/usr/bin/env bash
# Takes the USDA SR24 XML from Debian's cronometer package (no Java needed) and unpacks it
# into BUILD/sr24/usda_sr24, once.
set -euo pipefail
build=${1:-build}
dest="$build/sr24"
[ -f "$dest/usda_sr24/foods.index" ] && exit 0
mkdir -p "$dest/tmp"
cd "$dest/tmp"
if ! ls cronometer_*.deb >/dev/null 2>&1; then
  apt-get download cronometer </dev/null || { [ "$(id -u)" -eq 0 ] || sudo -n true; apt-get update -qq && apt-get download cronometer; }
fi
dpkg-deb -x cronometer_*.deb deb
unzip -q -o deb/usr/share/cronometer/usda_sr24.jar 'usda_sr24/*' -d ..
cd ..
rm -rf tmp/deb
test -f usda_sr24/foods.index
