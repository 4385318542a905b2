#!/usr/bin/env bash
# Builds the editor if needed and starts it under Wine with the sample plug-in.
# Without a display it runs under Xvfb instead, inside a Wine desktop, and writes a
# screenshot of the main window to build/screenshots/main-window.png and one of the
# System Folders dialog to build/screenshots/system-folders.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
[ -f build/win/build.ninja ] || cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
cmake --build build/win --target varnex show_system_folders show_dialogs

plugin="${1:-samples/sample.ppj}"
if [ -n "${DISPLAY:-}" ] && [ -z "${VARNEX_SCREENSHOTS:-}" ]; then
  source scripts/wine-env.sh
  ensure_wine_prefix
  exec wine build/win/varnex.exe "$plugin"
fi
exec scripts/with-wine-session.sh scripts/take-screenshots.sh "$plugin"
