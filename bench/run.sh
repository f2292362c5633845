#!/usr/bin/env bash
# Runs every benchmark of a bench build and prints each figure as a ratio against its floor.
# Usage: bench/run.sh [BUILD_DIR]   (default build/bench; `make bench` builds it first)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build/bench}
bin="$build/bin"
results="$build/bench-results"
mkdir -p "$results"

# Qt wants a private runtime folder; a fresh machine or a plain shell may have none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

# Repeated runs in random order, of which the report takes the median of the processor time:
# the machine may be shared, and a slow spell then weighs on a figure and its floor alike.
repeat=(--benchmark_repetitions=9 --benchmark_min_time=0.2 --benchmark_enable_random_interleaving=true
  --benchmark_report_aggregates_only=true)
for name in paint load startup; do
  echo "velmo-bench-$name…" >&2
  QT_QPA_PLATFORM=offscreen "$bin/velmo-bench-$name" "${repeat[@]}" \
    --benchmark_out="$results/$name.json" --benchmark_out_format=json \
    >"$results/$name.txt" 2>"$results/$name.log"
done
echo "processor time in Xvfb (2 × 10 s)…" >&2
"$here/idle-cpu.sh" "$bin" 10 >"$results/cpu.txt"

"$here/report.py" "$results"
echo >&2
echo "Raw figures: $results/" >&2
