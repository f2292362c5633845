#!/usr/bin/env bash
# Fuzzes the card-set reader for a given time, from the committed corpus and the stored crashers.
#   fuzz/run.sh BUILD_DIR SECONDS
# New interesting inputs go to BUILD_DIR/fuzz-corpus (never into the repository), findings to
# BUILD_DIR/fuzz-findings/. Exits non-zero when the fuzzer found a crash, leak or timeout.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: fuzz/run.sh BUILD_DIR SECONDS}
seconds=${2:?usage: fuzz/run.sh BUILD_DIR SECONDS}
work="$build/fuzz-corpus"
findings="$build/fuzz-findings"
mkdir -p "$work" "$findings"

status=0
ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-14/bin/llvm-symbolizer} \
  "$build/bin/FuzzLoadCardSet" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
  -dict=fuzz/kxd.dict -use_value_profile=1 -print_final_stats=1 \
  -artifact_prefix="$findings/" \
  "$work" fuzz/corpus tests/cardset/crashers 2>"$build/fuzz.log" || status=$?

# The last coverage line and the final statistics say what the run reached.
grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE)' "$build/fuzz.log" | tail -1 || true
grep -E '^stat::' "$build/fuzz.log" || true
if [ "$status" -ne 0 ]; then
  echo "The fuzzer stopped with status $status; findings in $findings:" >&2
  ls -l "$findings" >&2
  tail -60 "$build/fuzz.log" >&2
fi
exit "$status"
