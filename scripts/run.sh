#!/usr/bin/env bash
# README's run command: install what is missing, build, and start the wizard on
# the shipped sample with a demo expression: invoice numbers found by a set run
# of digits and renumbered by a counter, the old number kept by a second
# reference. Without a screen it shows the same evaluation through tandrel-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh default
search='Invoice +[0-9]'
replace='Bill %1>100> (was %1)'
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/default/wizard/tandrel --sample-file examples/sample.txt --search "$search" --replace "$replace"
fi
echo "run.sh: no screen here (DISPLAY is not set); the wizard needs one, e.g.:"
echo "  xvfb-run -a build/default/wizard/tandrel --sample-file examples/sample.txt --search '$search' --replace '$replace'"
echo "The same evaluation through tandrel-cli:"
exec build/default/cli/tandrel-cli --search "$search" --replace "$replace" --sample-file examples/sample.txt
