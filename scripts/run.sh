#!/usr/bin/env bash
# README's run command: install what is missing, build, and run Tandrel's main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
echo "tandrel: the wizard is not built yet; its search engine is."
