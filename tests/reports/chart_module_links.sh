#!/usr/bin/env bash
# The chart module's links, read from the built files: the executable needs neither Qt Charts,
# Qt Svg nor Qt OpenGL (the module does; the system's libOpenGL, which Qt Gui names, may stay);
# the module holds no copy of our libraries (one globals() in the process); and every symbol it
# uses is defined by the executable or by a library it needs, so that loading it cannot fail on
# a symbol the program left out.
# Arguments: executable, module.
set -euo pipefail
program=$1 module=$2
fail() { echo "FAIL: $*"; exit 1; }
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p'; }
names() { awk '{ sub(/@.*/, "", $NF); print $NF }' | sort -u; }

wrong=$(needed "$program" | grep -E '^libQt6(Charts|Svg|OpenGL)' || true)
[ -z "$wrong" ] || fail "platewise needs $(echo $wrong)"
needed "$module" | grep -q '^libQt6Charts\.' || fail "the module does not need Qt Charts"

nm -DC --defined-only "$module" | grep -qF ' pw::globals()' && fail "the module holds its own globals()"

undefined=$(nm -D --undefined-only "$module" | awk '$1 == "U"' | names)
defined=$( { nm -D --defined-only "$program"
             ldd "$module" | awk '$3 ~ /^\// { print $3 }' | xargs -r nm -D --defined-only; } | names)
missing=$(comm -23 <(printf '%s\n' "$undefined") <(printf '%s\n' "$defined"))
[ -z "$missing" ] || fail "nothing defines: $(c++filt <<<"$missing")"
echo "chart module links: ok"
