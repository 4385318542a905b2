# Sourced by the scripts that run Windows binaries: a private Wine prefix under
# build/, quiet, and without the Mono and Gecko downloads that a new prefix asks for.
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${VARNEX_WINEPREFIX:-$repo_root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Makes the prefix on first use; wineboot returns once it is ready.
ensure_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
}
