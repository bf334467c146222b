#!/usr/bin/env bash
# Configure and build one preset: scripts/build.sh [preset] (default: default).
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
