#!/usr/bin/env bash
# Builds Orvan with its tests and runs every test (offscreen), with a local
# Firebird server on 127.0.0.1 for the tests that need two processes.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh --tests
# The committed .clang-format holds for every C++ file (scripts/check-format.sh --fix formats).
scripts/check-format.sh
# Warnings are errors here, so the tree stays free of them.
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVAN_BUILD_TESTS=ON -DORVAN_WERROR=ON >/dev/null
cmake --build build-tests -j"$(nproc)"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo tests/start-server.sh
export QT_QPA_PLATFORM=offscreen ORVAN_REQUIRE_SERVER=1
cd build-tests
ctest -j"$(nproc)" --output-on-failure --timeout 300
