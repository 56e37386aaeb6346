#!/usr/bin/env bash
# Sets up what is missing, builds the game in the release build and makes its Debian package.
# The package lands in build/release/package/; its path is printed last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target QuiboTrainer quibo_install_docs
cpack -G DEB --config build/release/CPackConfig.cmake -B build/release/package
ls "$PWD"/build/release/package/quibotrainer_*.deb
