#!/usr/bin/env bash
# README's run command: install what is missing, build, and run Tandrel's main
# job on the shipped sample: invoice numbers found by a set run of digits and
# renumbered by a counter, the old number kept by a second reference.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
build/default/cli/tandrel-cli --search 'Invoice +[0-9]' --replace 'Bill %1>100> (was %1)' --sample-file examples/sample.txt
