#!/usr/bin/env bash
# Starts the editor inside a Wine desktop on the current display, waits until its
# main window is up, photographs the screen and closes the editor again. Then does
# the same for the System Folders dialog, shown by its own small program with this
# machine's folder table, and crops the picture to the dialog.
# VARNEX_BUILD_DIR names the build folder (build/win by default).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
plugin="$1"
build="${VARNEX_BUILD_DIR:-build/win}"
mkdir -p build/screenshots

wait_for_desktop() {
  # The window's painting takes a moment after it appears; poll with a deadline.
  for _ in $(seq 1 60); do
    if xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop'; then return; fi
    sleep 0.5
  done
}

wine explorer /desktop=varnex,800x600 "$build/varnex.exe" "$plugin" >/dev/null 2>&1 &
desktop=$!
wait_for_desktop
sleep 4
import -window root -crop 800x600+0+0 +repage build/screenshots/main-window.png
echo "Screenshot: build/screenshots/main-window.png"
kill "$desktop" 2>/dev/null || true
wineserver -k 2>/dev/null || true

if [ -f "$build/show_system_folders.exe" ]; then
  # The program writes the dialog's rectangle on the desktop once it has painted.
  rect="$build/system-folders-rect.txt"
  rm -f "$rect"
  wine explorer /desktop=varnex,800x600 "$build/show_system_folders.exe" \
    "$(winepath -w "$PWD/$rect")" >/dev/null 2>&1 &
  desktop=$!
  for _ in $(seq 1 120); do
    [ -s "$rect" ] && break
    sleep 0.5
  done
  if [ -s "$rect" ]; then
    sleep 1
    read -r left top width height < "$rect"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage \
      build/screenshots/system-folders.png
    echo "Screenshot: build/screenshots/system-folders.png"
  else
    echo "The System Folders dialog did not appear" >&2
  fi
  kill "$desktop" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
fi

# The preview window (over the sample plug-in, then over a large real tree while its
# totals grow), the Properties dialog, the About box, the item type dialog, the
# registry item editor and its two pickers, the file, folder and mask editors, and
# Check Plug-In and the main window over a plug-in with findings, each shown by a small
# program that writes the window's rectangle once it has painted.
shoot_dialog() { # name, dialog, optional plug-in file or folder
  local rect="$build/$1-rect.txt"
  rm -f "$rect"
  wine explorer /desktop=varnex,800x600 "$build/show_dialogs.exe" "$2" \
    "$(winepath -w "$PWD/$rect")" ${3:+"$3"} >/dev/null 2>&1 &
  local desktop=$!
  for _ in $(seq 1 120); do
    [ -s "$rect" ] && break
    sleep 0.5
  done
  if [ -s "$rect" ]; then
    read -r left top width height < "$rect"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage "build/screenshots/$1.png"
    echo "Screenshot: build/screenshots/$1.png"
  else
    echo "The $2 dialog did not appear" >&2
  fi
  kill "$desktop" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
}
if [ -f "$build/show_dialogs.exe" ]; then
  shoot_dialog preview-sample preview "$(winepath -w "$PWD/$plugin")"
  shoot_dialog preview-tree preview 'Z:\usr\share'
  shoot_dialog properties properties "$(winepath -w "$PWD/$plugin")"
  shoot_dialog about about
  shoot_dialog item-type type
  shoot_dialog registry-item regitem
  shoot_dialog registry-keys regkeys
  shoot_dialog registry-values regvalues
  shoot_dialog file-editor file
  shoot_dialog folder-editor folder
  shoot_dialog mask-editor mask
  shoot_dialog check-plugin check
  shoot_dialog main-window-findings findings
  shoot_dialog edit-menu editmenu
  shoot_dialog several-rows selection
fi
