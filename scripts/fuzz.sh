#!/usr/bin/env bash
# Runs a libFuzzer target for a bounded time from the checked-in samples of one kind
# (plug-ins unless a third argument names another extension, such as ini).
# Any crash, leak or sanitizer report fails the run.
set -euo pipefail
fuzzer="$1"; seconds="$2"; seeds="${3:-ppj}"
repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp "$repo_root"/samples/*."$seeds" "$corpus"/ 2>/dev/null || true
artifacts="$repo_root/build/fuzz-artifacts"
mkdir -p "$artifacts"
"$fuzzer" -max_total_time="$seconds" -max_len=16384 -print_final_stats=0 \
  -artifact_prefix="$artifacts/" "$corpus" 2>&1 | tail -n 3
