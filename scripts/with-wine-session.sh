#!/usr/bin/env bash
# Runs a command with a display and one persistent wineserver, so that the Windows
# processes it starts do not each pay for a server start. Without a display the
# command runs under Xvfb. With --tests first, the session uses the tests' prefix.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/wine-env.sh"
if [ "${1:-}" = "--tests" ]; then
  use_test_prefix
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${VARNEX_IN_XVFB:-}" ]; then
  export VARNEX_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
[ "${1:-}" = "--tests" ] && shift

ensure_wine_prefix
wineserver -p
# The first Windows process starts Wine's background services, which inherit its
# output; start them here with no output, so a test runner reading a test's output
# never waits for a service that keeps it open.
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
trap 'wineserver -k 2>/dev/null || true' EXIT
"$@"
