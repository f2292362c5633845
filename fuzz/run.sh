#!/usr/bin/env bash
# Runs one fuzz target for a given time, from the committed corpus and the stored crashers.
#   fuzz/run.sh BUILD_DIR TARGET SECONDS      (TARGET: FuzzLoadCardSet or FuzzInspectCardSet)
# New interesting inputs go to BUILD_DIR/fuzz-corpus/TARGET (never into the repository),
# findings to BUILD_DIR/fuzz-findings/TARGET/, the log to BUILD_DIR/fuzz-TARGET.log.
# Exits non-zero when the fuzzer found a crash, a leak, a timeout or an out-of-memory input.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: fuzz/run.sh BUILD_DIR TARGET SECONDS"
build=${1:?$usage}
target=${2:?$usage}
seconds=${3:?$usage}
work="$build/fuzz-corpus/$target"
findings="$build/fuzz-findings/$target"
log="$build/fuzz-$target.log"
mkdir -p "$work" "$findings"

status=0
ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-14/bin/llvm-symbolizer} \
  "$build/bin/$target" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
  -dict=fuzz/kxd.dict -use_value_profile=1 -print_final_stats=1 \
  -artifact_prefix="$findings/" \
  "$work" fuzz/corpus tests/cardset/crashers 2>"$log" || status=$?

# The last coverage line and the final statistics say what the run reached.
echo "$target:"
grep -E '^#[0-9]+.*(DONE|pulse|NEW|REDUCE)' "$log" | tail -1 || true
grep -E '^stat::' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "The fuzzer stopped with status $status; findings in $findings:" >&2
  ls -l "$findings" >&2
  tail -60 "$log" >&2
fi
exit "$status"
