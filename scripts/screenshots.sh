#!/usr/bin/env bash
# Makes the AppStream metadata's screenshots anew from the demo under Xvfb (packaging/screenshots/demo-*.png):
# the countdown, the dinghies beating to the mark, the results. Each run draws other winds.
# Usage: scripts/screenshots.sh   (builds first if needed; about two minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target make_screenshots >/dev/null
build/release/tests/e2e/make_screenshots packaging/screenshots
