#!/usr/bin/env bash
# Installs what is missing, builds everything from scratch or incrementally, and runs
# every test: the portable code natively under sanitizers, bounded fuzzing runs of
# the plug-in reader and the rules' import, then every Windows test executable under
# Wine and Xvfb.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build build/native
ctest --test-dir build/native --output-on-failure

if [ -x build/native/plugin_reader_fuzzer ]; then
  scripts/fuzz.sh build/native/plugin_reader_fuzzer "${VARNEX_FUZZ_SECONDS:-20}"
  scripts/fuzz.sh build/native/ini_import_fuzzer "${VARNEX_FUZZ_SECONDS:-20}" ini
fi

cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build build/win
scripts/with-wine-session.sh --tests ctest --test-dir build/win --output-on-failure --timeout 300
