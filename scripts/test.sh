#!/usr/bin/env bash
# Installs what is needed, builds everything and runs the whole test suite (offscreen, no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd "${BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j1
