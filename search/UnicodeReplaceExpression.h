// One element of a compiled replace template: literal text, or a reference to a
// numbered part of the match with its case mark, counter or fill.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/UnicodeExpression.h"

class CUnicodeReplaceExpression : public CUnicodeExpression {
public:
  // text == nullptr or empty: one empty literal element. The chain after this
  // element is built here too.
  CUnicodeReplaceExpression(CUnicodeExpression* searchHeadNode, const std::u16string* text,
                            CUnicodeReplaceExpression* prevElement);
  void Parse(const std::u16string& text) override;
  ~CUnicodeReplaceExpression() override;

  bool FindSubExpression(int32_t k);
  void ApplyTransform(std::u16string& text, bool advance);
  void BuildReplacement(std::u16string& out);
  void RestartCounters(bool restart);

  // The referenced search node is kept in the inherited `alternative` (not owned here).
  CUnicodeExpression* Referenced() const { return alternative; }
  CUnicodeReplaceExpression* Next() const { return static_cast<CUnicodeReplaceExpression*>(next); }
  int32_t Direction() const { return isNumeric; }  // 0 none, 1 up, 2 down

  CUnicodeExpression* searchHead = nullptr;
  int32_t caseMode = 0;  // 0 as matched, 1 upper, 2 lower, 3 fill
  std::u16string fillText;

private:
  // Fills this element from the start of s; returns how many units of s it
  // took when the rest makes a following element, 0 when the chain ends here.
  size_t ParseElementText(std::u16string_view s);
};
