#!/usr/bin/env bash
# Runs tandrel-cli once over a 100 MB text and reports the time and the peak
# memory of each run against the text's size. Not a test (it takes a while);
# run it by hand after changes to the evaluation road.
# Usage: fuzz/big_text.sh [path/to/tandrel-cli]   (default: build/default/cli/tandrel-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/default/cli/tandrel-cli}
[ -x "$cli" ] || { echo "big_text.sh: no tandrel-cli at $cli (build it first)" >&2; exit 2; }

dir=$(mktemp -d "${TMPDIR:-/tmp}/tandrel-big.XXXXXX")
trap 'rm -rf "$dir"' EXIT
text=$dir/text.txt
size=$((100 * 1024 * 1024))
# Lines of words and numbers, CR LF line ends, a rare marker every 10,000 lines.
python3 - "$text" "$size" <<'PY'
import sys
path, size = sys.argv[1], int(sys.argv[2])
words = "the cat and a dog sat on 41 mats while 7 birds sang 2024 songs".split()
with open(path, "w", newline="") as f:
    written, n = 0, 0
    while written < size:
        line = " ".join(words[(n + k) % len(words)] for k in range(9))
        if n % 10000 == 0:
            line += " MARKER%d" % n
        line += "\r\n"
        f.write(line)
        written += len(line)
        n += 1
PY
bytes=$(stat -c %s "$text")
echo "text: $bytes bytes ($((bytes / 1024 / 1024)) MB), $(wc -l <"$text") lines"

run() {
  local label=$1
  shift
  local status=0
  /usr/bin/time -q -f "%e %M" -o "$dir/time" "$@" >"$dir/out" 2>"$dir/err" || status=$?
  read -r secs kb <"$dir/time"
  local hits
  hits=$(grep -o '"bytePos":' "$dir/out" | wc -l || true)
  [[ "$*" == *--json* ]] || hits=-
  awk -v l="$label" -v s="$secs" -v kb="$kb" -v b="$bytes" -v st="$status" -v h="$hits" -v o="$(stat -c %s "$dir/out")" \
    'BEGIN { printf "%-44s exit %d  %6.1f s  peak %7.0f MB = %.2f x text  hits %s  output %.0f MB\n", l, st, s, kb / 1024, kb * 1024 / b, h, o / 1048576 }'
}

run "file, rare literal, JSON" "$cli" --json --search 'MARKER' --replace 'M' --sample-file "$text"
run "file, rare literal, human" "$cli" --search 'MARKER+[0-9]' --replace 'm%1>' --sample-file "$text"
run "stdin, rare literal, JSON" sh -c "'$cli' --json --search 'MARKER' <'$text'"
run "file, no hit" "$cli" --json --search 'zebra' --sample-file "$text"
run "file, a hit on every line (counter), JSON" "$cli" --json --search 'sang +[0-9]' --replace 'sang %1>' --sample-file "$text"
run "file, a hit on every line (counter), human" "$cli" --search 'sang +[0-9]' --replace 'sang %1>' --sample-file "$text"
