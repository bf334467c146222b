#!/usr/bin/env bash
# Builds the benchmarks (preset "bench") and runs them. Extra arguments go to
# the benchmark, e.g. --benchmark_repetitions=3 or --benchmark_filter=rare.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target tandrel_bench
exec build/bench/bench/tandrel_bench "$@"
