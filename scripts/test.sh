#!/usr/bin/env bash
# README's test command: install what is missing, build everything, run every test.
# Under CI (CI=true) warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
preset=default
if [ "${CI:-}" = "true" ]; then preset=ci; fi
bash scripts/build.sh "$preset"
ctest --test-dir "build/$preset" --output-on-failure -j2
