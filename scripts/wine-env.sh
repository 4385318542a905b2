# Sourced by the scripts that run Windows binaries: a private Wine prefix under
# build/, quiet, and without the Mono and Gecko downloads that a new prefix asks for.
# The editor runs in build/wineprefix; the tests run in build/wineprefix-tests (see
# use_test_prefix), so that the tests' settings never reach the editor a user starts.
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${VARNEX_WINEPREFIX:-$repo_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# The windows are designed in "MS Sans Serif" and "Tahoma". A new prefix has no
# fonts of its own, and Wine then falls back to a wider face that clips labels; its
# own copies of these fonts give the designed metrics. Marlett draws the glyphs of
# the caption buttons, which otherwise show as the letters "0 1 r".
designed_fonts=(ms_sans_serif.ttf sserife.fon tahoma.ttf tahomabd.ttf marlett.ttf)

# The tests' prefix runs every program inside a Wine virtual desktop. Without a window
# manager (as under Xvfb) Wine waits about two seconds on each hide or destroy of a
# shown top-level window; inside a desktop it does not. The setting is read when the
# prefix's first process starts, so it is made before the session's processes run.
use_test_prefix() {
  export WINEPREFIX="$repo_root/build/wineprefix-tests"
  export VARNEX_TEST_DESKTOP=1
}

# Makes the prefix on first use (wineboot returns once it is ready) and gives it the
# designed fonts and, for the tests' prefix, the desktop.
ensure_wine_prefix() {
  # A prefix made before Wine's 32-bit half was installed has an empty syswow64, and
  # then every program fails in it, 64-bit ones included: it is made anew.
  if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Wine links the user folders (Desktop, Documents, Downloads, ...) to the host's home
  # folder. Nothing run here may reach the host through them, least of all a test that
  # deletes: they become plain folders of the prefix.
  local folder
  for folder in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$folder" ]; then
      rm "$folder"
      mkdir "$folder"
    fi
  done
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in "${designed_fonts[@]}"; do
    [ -f "$fonts/$font" ] || cp "/usr/share/wine/fonts/$font" "$fonts/"
  done
  if [ -n "${VARNEX_TEST_DESKTOP:-}" ] && ! grep -q '^"Desktop"="Default"' "$WINEPREFIX/user.reg"; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
    wineserver -w
  fi
}
