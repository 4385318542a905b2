#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine and Xvfb (about three minutes): the size
# preview, the registry pickers, the main window over a large plug-in, then the restart
# list's duplicate check and ppj's collection. Each makes its own data, prints its figures and
# removes the data again.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build build/win --target preview_benchmark pickers_benchmark plugin_benchmark rebootlist_benchmark ppj_benchmark
# Wine's own diagnostics go to standard error; the figures are on standard output.
scripts/with-wine-session.sh --tests sh -c \
  'scripts/wine-exec.sh build/win/preview_benchmark.exe && scripts/wine-exec.sh build/win/pickers_benchmark.exe && scripts/wine-exec.sh build/win/plugin_benchmark.exe && scripts/wine-exec.sh build/win/rebootlist_benchmark.exe && scripts/wine-exec.sh build/win/ppj_benchmark.exe' 2>/dev/null
