#!/usr/bin/env bash
# Takes the manual's pictures (doc/manual/img) from the real window: builds the helper
# and runs it without a display. Run after changing the window, then commit the pictures.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}
cmake --build "$build" --target korven-screenshots
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/korven-screenshots" doc/manual/img
