#!/usr/bin/env bash
# Builds the Debian package into a temporary folder and checks what it holds and depends on.
# Arguments: build folder, the chart module's folder in the install.
set -euo pipefail
build=$1 module_dir=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >/dev/null
deb=$(ls "$tmp"/*.deb)
[ "$(printf '%s\n' "$deb" | wc -l)" -eq 1 ] || fail "packages made: $deb"
case $(basename "$deb") in platewise_1.0*_amd64.deb|platewise_1.0*_"$(dpkg --print-architecture)".deb) ;;
  *) fail "package name $(basename "$deb")";; esac
contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for f in ./usr/bin/platewise "./usr/$module_dir/libplatewise_chart.so" \
         ./usr/share/platewise/Custom.mdb ./usr/share/platewise/MealDataB.mdb \
         ./usr/share/platewise/Help.rtf ./usr/share/platewise/DV.rtf \
         ./usr/share/applications/net.korvane.Platewise.desktop \
         ./usr/share/metainfo/net.korvane.Platewise.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/net.korvane.Platewise.svg \
         ./usr/share/man/man1/platewise.1.gz ./usr/share/doc/platewise/copyright \
         ./usr/share/doc/platewise/changelog.gz; do
  grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6printsupport6 libqt6charts6 libqt6svg6 libc6 libstdc++6 qt6-qpa-plugins; do
  grep -q "$lib" <<<"$depends" || fail "the package does not depend on $lib"
done
# Debian's own checks: any error fails; warnings are listed.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh installs it)"
lintian_out=$(lintian --tag-display-limit 0 "$deb" 2>&1) || true
printf '%s\n' "$lintian_out"
if grep -q '^E:' <<<"$lintian_out"; then fail "lintian reports errors"; fi
echo "package ok"
