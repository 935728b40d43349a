#!/usr/bin/env bash
# Builds Vocarta and runs all its tests: once as released, once under AddressSanitizer and
# UndefinedBehaviorSanitizer. Installs what the build and the tests need.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
for preset in default sanitize; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
