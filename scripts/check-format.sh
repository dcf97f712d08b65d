#!/usr/bin/env bash
# Fails when a C++ source of the project differs from what clang-format makes of it with the
# project's .clang-format; lists each offending place. Usage: check-format.sh [clang-format]
set -euo pipefail
cd "$(dirname "$0")/.."
format=${1:-clang-format}
git ls-files -z -- '*.cpp' '*.h' | xargs -0 -r "$format" --style=file --dry-run --Werror
