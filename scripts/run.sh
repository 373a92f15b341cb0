#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSVP_BUILD_TESTS=OFF
cmake --build build -j "$(nproc)"
if [ -x build/app/serial-videoprocessor ]; then
  exec build/app/serial-videoprocessor "$@"
else
  echo "The program's main window is not built yet: the libraries built, nothing to start."
fi
