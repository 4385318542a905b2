#!/usr/bin/env bash
# Builds and runs the size preview benchmark under Wine and Xvfb (about two minutes).
# It makes its own folder tree and registry branch, prints its figures and removes both.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/win --target preview_benchmark
# Wine's own diagnostics go to standard error; the figures are on standard output.
scripts/with-wine-session.sh --tests scripts/wine-exec.sh build/win/preview_benchmark.exe 2>/dev/null
