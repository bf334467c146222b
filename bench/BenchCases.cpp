// The benchmark cases. The patterns are written for the benchmark text of
// BenchText.cpp (ASCII, CR LF lines, no control units, ':' only in "From: "
// header lines); the benchmark checks that all engines agree on that text.
#define PCRE2_CODE_UNIT_WIDTH 16
#include "BenchCases.h"

#include <pcre2.h>

namespace {

CPeerReplacement Peer(std::u16string prefix, int group = -1, EPeerTransform transform = EPeerTransform::None,
                      std::u16string suffix = {}) {
  return CPeerReplacement{std::move(prefix), group, transform, std::move(suffix)};
}

std::vector<CBenchCase> MakeCases() {
  std::vector<CBenchCase> cases;
  auto add = [&](CBenchCase c) { cases.push_back(std::move(c)); };

  // A literal that occurs a few times per megabyte.
  add({.name = "rare_literal", .search = u"quetzal", .replace = u"QUETZAL", .caseSensitive = true,
       .pcrePattern = u"quetzal", .stdPattern = u"quetzal", .peer = Peer(u"QUETZAL")});
  // A literal in almost every line, in either case.
  add({.name = "frequent_literal", .search = u"the", .replace = u"THE", .caseSensitive = false,
       .pcrePattern = u"the", .pcreOptions = PCRE2_CASELESS, .stdPattern = u"the", .stdIcase = true,
       .peer = Peer(u"THE")});
  // Runs of digits, numbered from the first hit's own value up.
  add({.name = "digits_counter", .search = u"+[0-9]", .replace = u"%1>", .caseSensitive = true,
       .pcrePattern = u"[0-9]+", .stdPattern = u"[0-9]+",
       .peer = Peer(u"", 0, EPeerTransform::Counter)});
  // Header lines: a line-start anchor, a literal and the rest of the line.
  add({.name = "line_anchor", .search = u"^From: *", .replace = u"Sender: %2", .caseSensitive = true,
       .pcrePattern = u"^From: ([^\\x00-\\x08\\r\\n]*)", .pcreOptions = PCRE2_MULTILINE,
       .stdPattern = u"^From: ([^\\x00-\\x08\\r\\n]*)", .stdMultiline = true,
       .peer = Peer(u"Sender: ", 1)});
  // One of four words, in either case, upper-cased.
  add({.name = "alternatives", .search = u"(river|mountain|forest|valley)", .replace = u"%1>", .caseSensitive = false,
       .pcrePattern = u"(?:river|mountain|forest|valley)", .pcreOptions = PCRE2_CASELESS,
       .stdPattern = u"(?:river|mountain|forest|valley)", .stdIcase = true,
       .peer = Peer(u"", 0, EPeerTransform::Upper)});
  // Runs of letters that hold no 'e', lower-cased.
  add({.name = "set_run_condition", .search = u"+[a-z]!(e)", .replace = u"%1<", .caseSensitive = false,
       .pcrePattern = u"(?<![a-z])[a-df-z]+(?![a-z])", .pcreOptions = PCRE2_CASELESS, .stdPattern = u"[a-z]+",
       .stdIcase = true, .stdRejectUnit = u'e', .peer = Peer(u"", 0, EPeerTransform::Lower)});
  // "id=" is frequent, ';' rare: most attempts fail after looking far ahead.
  add({.name = "wildcard_rare_end", .search = u"id=*;", .replace = u"key(%1)", .caseSensitive = true,
       .pcrePattern = u"id=([^\\x00-\\x08\\r\\n;]*);", .stdPattern = u"id=([^\\x00-\\x08\\r\\n;]*);",
       .peer = Peer(u"key(", 1, EPeerTransform::None, u")")});
  // Every unit but line breaks is a hit of its own.
  add({.name = "every_char", .search = u"?", .replace = u"%1>", .caseSensitive = true,
       .pcrePattern = u"[^\\x00-\\x08\\r\\n]", .stdPattern = u"[^\\x00-\\x08\\r\\n]",
       .peer = Peer(u"", 0, EPeerTransform::Upper)});
  return cases;
}

}  // namespace

const std::vector<CBenchCase>& BenchCases() {
  static const std::vector<CBenchCase> cases = MakeCases();
  return cases;
}
