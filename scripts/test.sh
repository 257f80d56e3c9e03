#!/usr/bin/env bash
# Installs what is missing, builds the project and runs the whole test suite.
#   scripts/test.sh          release build with debug info (preset "default")
#   scripts/test.sh asan     the same suite under AddressSanitizer + UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
bash scripts/install-deps.sh
# The layout check is cheap: it runs before the build.
bash scripts/format.sh --check
export QT_QPA_PLATFORM=offscreen
# Lets ccache reuse objects between checkouts in different folders.
export CCACHE_BASEDIR="$PWD"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j"$(nproc)"
