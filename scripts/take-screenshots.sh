#!/usr/bin/env bash
# Starts the editor inside a Wine desktop on the current display, waits until its
# main window is up, photographs the screen and closes the editor again.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
plugin="$1"
mkdir -p build/screenshots
wine explorer /desktop=varnex,800x600 build/win/varnex.exe "$plugin" >/dev/null 2>&1 &
desktop=$!
# The window's painting takes a moment after it appears; poll with a deadline.
for _ in $(seq 1 60); do
  if xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop'; then break; fi
  sleep 0.5
done
sleep 4
import -window root -crop 800x600+0+0 +repage build/screenshots/main-window.png
echo "Screenshot: build/screenshots/main-window.png"
kill "$desktop" 2>/dev/null || true
wineserver -k 2>/dev/null || true
