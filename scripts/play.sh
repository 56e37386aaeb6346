#!/usr/bin/env bash
# Sets up what is missing, builds the game and starts it. Arguments go to the game ("DEBUG" shows the outlines).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target QuiboTrainer
exec build/release/app/QuiboTrainer "$@"
