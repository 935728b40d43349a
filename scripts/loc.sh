#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Non-blank lines of the tests (everything under tests/) against the rest of the source
# (.cpp, .h, .py, .sh, .cmake and CMakeLists.txt outside tests/ and .ci/), and their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { xargs -r cat | grep -c -v -E '^\s*$' || true; }
sources=$(git ls-files | grep -E '\.(cpp|h|py|sh|cmake)$|(^|/)CMakeLists\.txt$')
tests=$(grep -E '^tests/' <<<"$sources" | count)
rest=$(grep -v -E '^(tests|\.ci)/' <<<"$sources" | count)
echo "tests: $tests lines; rest of the source: $rest lines; ratio $(awk "BEGIN { printf \"%.2f\", $tests / $rest }")"
