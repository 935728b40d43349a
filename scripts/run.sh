#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Vocarta (installing what the build needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-packages.sh "${BUILD_PACKAGES[@]}"
cmake --preset default >/dev/null
cmake --build --preset default --target vocarta
exec build/vocarta
