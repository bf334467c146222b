// Escape sequences, bracketed parts, character sets and the case fold shared by
// the search compiler, the UNIX-style translation, the searcher and templates.
// Positions here are unit indexes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CUnicodeExpression;

bool IsEscaped(std::u16string_view text, int32_t i);
int32_t FindUnescaped(std::u16string_view text, char16_t c);
int32_t FindFirstUnescapedOf(std::u16string_view text, std::u16string_view list);
int32_t FindMatchingClose(std::u16string_view text, char16_t open, char16_t close);
int32_t GroupLength(std::u16string_view text);
void DecodeEscapes(std::u16string& text);
// Throws CExpressionError for a range with nothing before its '-'.
void ParseSet(CUnicodeExpression* node, std::u16string_view text);
void AddRange(CUnicodeExpression* node, char16_t from, char16_t to);
char16_t FoldCase(char16_t u);
void ComputeNumericFlag(CUnicodeExpression* node);
