// The benchmark cases: each a Tandrel expression and template beside the
// PCRE2 and std::regex patterns that find the same hits in the benchmark text,
// and the replacement the peers build for each hit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// How a peer engine turns one match into its replacement:
// prefix + transform(capture group `group`) + suffix, or only the prefix
// when group is -1.
enum class EPeerTransform { None, Upper, Lower, Counter };

struct CPeerReplacement {
  std::u16string prefix;
  int group = -1;
  EPeerTransform transform = EPeerTransform::None;
  std::u16string suffix;
};

struct CBenchCase {
  std::string name;
  std::u16string search;   // Tandrel expression
  std::u16string replace;  // Tandrel template
  bool caseSensitive = true;
  std::u16string pcrePattern;
  uint32_t pcreOptions = 0;
  std::u16string stdPattern;  // ECMAScript, run as std::wregex
  bool stdIcase = false;
  bool stdMultiline = false;
  // std::regex has no look-behind: the set-run case finds the runs and then
  // drops those that hold this unit (either case), as Tandrel's condition does.
  char16_t stdRejectUnit = 0;
  CPeerReplacement peer;
};

const std::vector<CBenchCase>& BenchCases();
