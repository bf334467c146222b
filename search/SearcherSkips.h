// The searcher's fast scan for a literal: the next place where it matches as
// the matcher compares (folding the text's units when the search ignores case).
#pragma once

#include <cstdint>
#include <string>

#include "engine/TextView.h"

// The first unit index at or after `from` where the whole literal `chars`
// (not empty) matches, or INT32_MAX.
int32_t NextLiteralUnit(const CTextView& view, const std::u16string& chars, int32_t from);
