#!/usr/bin/env bash
# Writes the seed corpora of the fuzz targets into DIR/<target>/, one file per
# case, from the documented examples of the expression and template dialects.
# Usage: fuzz/make_seeds.sh DIR
# fuzz_search cases: a flag byte, then expression, template and text separated
# by zero bytes (see FuzzInput.h); flag bit 0 case-sensitive, bit 1 UNIX-style,
# bit 2 repeat the text to 64 KB, bits 4-7 the current hit.
set -euo pipefail
dir=${1:?usage: make_seeds.sh DIR}
mkdir -p "$dir/fuzz_search" "$dir/fuzz_textfile" "$dir/fuzz_builder"

n=0
# search FLAGS EXPR TEMPLATE TEXT
search() {
  n=$((n + 1))
  printf "\\x$(printf %02x "$1")%s\\0%s\\0%s" "$2" "$3" "$4" >"$dir/fuzz_search/seed$n"
}
# Every expression also goes to the builder target with the same layout.
builder() {
  n=$((n + 1))
  printf "\\x$(printf %02x "$1")%s\\0%s\\0%s" "$2" "$3" "$4" >"$dir/fuzz_builder/seed$n"
}

sample=$'xxab12cdyy abc123def\r\nThe cat and the dog, 41 cats.\r\n8.\r\nab\nxab\nab\n\nx\n\nx'
while IFS= read -r expr; do
  [ -n "$expr" ] || continue
  for flags in 0 1 2 4; do search "$flags" "$expr" '%1' "$sample"; done
  builder 0 "$expr" '' "$sample"
  builder 2 "$expr" '' "$sample"
done <<'LIST'
abc
a\*b
a\\*b
abc*def
+3-5[0-9]x
*(cat|dog)s
(a*b)
^^Title
x$$
x$
$
^
^ab
^^a
ab*cd
[0-9]
+2[0-9]
[]
[\0]
[a-cx]
[ab-d]
[a-]
[-]
[a\-z]
[z-a]
[z-ab]
[\\a-c]
[a-\0x7a]
[0-9.]
[0-9a]
(abc
*[abc
+3
+3+
+3(ab)
?ab
x?ab
abc*[0-9](x|y)def
abc*x[0-9](x|y)def
x[ab
++[a]
+-[a]
+ [a]
+ 2[.]$
+()
+(a|)
*(|b)
(a||b)
(|a)
()
a!(b)
a!(b)c
!(b)a
!(b)a!(c)
a!(b
[0-9]+
(cat|dog)*s
(tmp)!
x[a-z]?y(q)
[0-9]+3
[0-9]\+
x[0-9]+(abc
\65\0101\0x41
\1234\12345
\0x263A
\0xg
\0
é
É
[-a]
[\0-a]
+99999999999[a]
+4294967297-4294967298(ab)
\4294967296
LIST

# Templates of the replace dialect, each with an expression that has numbered parts.
while IFS= read -r template; do
  [ -n "$template" ] || continue
  for flags in 0 16 1; do search "$flags" '+[0-9](x|y)+[a-z]' "$template" $'41x abc 007y def 9x\r\n12y zz'; done
  builder 0 '+[0-9](x|y)+[a-z]' "$template" $'41x abc 007y def'
done <<'LIST'
%1
%1>
%1<
%2
a%1b
%0%1
50%%1
%1x%0
\%1
%
%1>5>
%1>007>
%1<5<
%1<<
%1%%ZYFILL-%%
%1%%ZYFILL%%
%1%%ZYFILL
%3>%2<%1
%q%Z%:
%1>99999999999>
%1<-2147483649<
%1>-007>
LIST

# Hostile texts: empty, only line breaks, controls and surrogates (lenient UTF-8).
search 0 '?' '' ''
search 0 '^' 'Z' $'\r\n\r\n\n\r\r\n'
search 4 '$' 'Z' $'\n'
search 0 '*' '' $'\xed\xa0\x80\xed\xbf\xbf\xc0\x80\x01\x08'
search 1 '[\0xD800-\0xDFFF]' '%1>' $'a\xed\xa0\x80b\xf0\x9f\x98\x80'
search 4 '*?x' '' 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa'
search 4 '+[a]b' '%1' 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa'

# Text files: marks, encodings, line breaks, truncation.
tf() { n=$((n + 1)); printf "$1" >"$dir/fuzz_textfile/seed$n"; }
tf ''
tf '\xef\xbb\xbf'
tf '\xff\xfe'
tf '\xfe\xff'
tf '\xef\xbb\xbfA\r\nB'
tf '\xff\xfex\x00\n\x00'
tf '\xfe\xff\x00x\x00\r\x00\n\x00y'
tf '\xff\xfex\x00\n'
tf 'a\rb\nc\r\nd\n\re'
tf 'a\x00b\r\nc'
tf '\xef\xbb\xbf\xf0\x9f\x98\x80|\x80|\xc3|\xe2\x82|\xe2\x82\xac'
tf '\xef\xbb\xbfa\x00b'
tf '\x81\x8d\x8f\x90\x9d\x80\xff'
tf '\xef\xbb\x41'
tf '\xff\xfe\x00\xd8\x00\xdc\x00\xd8'
