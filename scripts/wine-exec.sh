#!/usr/bin/env bash
# Runs one Windows binary under Wine in the tests' private prefix. CTest uses it as
# the emulator of every Windows test executable.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
use_test_prefix
ensure_wine_prefix
exec wine "$@"
