#!/usr/bin/env bash
# The test command: installs what is missing, builds, runs every test, then
# builds the fuzz targets and runs each briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure --parallel 2 --timeout 300)
scripts/fuzz.sh "${RERUDAD_FUZZ_SECONDS:-5}"
