// Deterministic benchmark text: prose-like words with numbers, punctuation,
// "From: " header lines, "id=" tokens, a rare ';' and a rare word, in CR LF lines.
#pragma once

#include <cstddef>
#include <string>

// The text of exactly `units` 16-bit units. Every call with the same seed
// yields the same text, and a shorter text is a prefix of a longer one.
std::u16string MakeBenchText(size_t units, unsigned long long seed = 20240611ull);

// The rare word that the text holds now and then (the memchr-style limit looks for it).
inline constexpr char16_t kRareWord[] = u"quetzal";
