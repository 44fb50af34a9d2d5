#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of
# it with the committed .clang-format. With --fix, formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
