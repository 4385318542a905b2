#!/usr/bin/env bash
# Runs a libFuzzer target for a bounded time from the checked-in seed plug-ins.
# Any crash, leak or sanitizer report fails the run.
set -euo pipefail
fuzzer="$1"; seconds="$2"
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp "$repo_root"/samples/*.ppj "$corpus"/ 2>/dev/null || true
artifacts="$repo_root/build/fuzz-artifacts"
mkdir -p "$artifacts"
"$fuzzer" -max_total_time="$seconds" -max_len=16384 -print_final_stats=0 \
  -artifact_prefix="$artifacts/" "$corpus" 2>&1 | tail -n 3
