#!/usr/bin/env bash
# Builds Orvan, creates the embedded demo database beside the program when it
# is missing (or brings an existing one up to date), and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVAN_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p /tmp/firebird
if [ ! -f build/bin/orvan.gdb ]; then
  build/bin/orvan-db create build/bin/orvan.gdb --demo
else
  # A demo database made by an earlier build gets the later schema steps.
  build/bin/orvan-db upgrade build/bin/orvan.gdb
fi
exec build/bin/orvan "$@"
