#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vocarta and runs all its tests, the endurance runs too: once as released, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then cross-builds the Windows program and
# checks it under Wine.
# Installs what the builds and the tests need.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}"
for preset in default sanitize; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
    echo "== $preset endurance"
    ctest --preset "$([ "$preset" = default ] && echo endurance || echo "$preset-endurance")"
done
echo "== windows build (checked under Wine)"
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows
