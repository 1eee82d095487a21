#!/usr/bin/env bash
# The test command: installs what is missing, builds, builds the Debian
# package and tries it as installed, builds the fuzz targets and runs each
# briefly, runs every unit, integration and GUI test, then the whole suite
# once more built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
scripts/package.sh --check
scripts/fuzz.sh "${RERUDAD_FUZZ_SECONDS:-5}"
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure --parallel 2 --timeout 300)
scripts/sanitize.sh
