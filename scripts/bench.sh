#!/usr/bin/env bash
# Runs the benchmarks of the program's own code (host build) and prints the
# month computation's cost next to std::chrono's as a ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset host >/dev/null
cmake --build --preset host --target sorelan_bench
json=$(mktemp)
trap 'rm -f "$json"' EXIT
build/host/bench/sorelan_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$json" --benchmark_out_format=json "$@"
python3 - "$json" <<'PY'
import json, sys
runs = {b['run_name']: b['real_time'] for b in json.load(open(sys.argv[1]))['benchmarks']
        if b.get('aggregate_name') == 'median'}
ours, chrono = runs['BM_MonthOurs'], runs['BM_MonthChrono']
print(f'month computation, ours / std::chrono (medians): {ours:.1f} ns / {chrono:.1f} ns = {ours / chrono:.2f}')
PY
