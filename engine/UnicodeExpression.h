// One node of a compiled search expression, and the compiler that builds a
// chain of them from expression text. Matching lives in Match.h.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// 1 = case-sensitive matching, 0 = case-insensitive. Read when nodes are built
// and when text is compared; a searcher is built and run under one value.
extern int32_t g_bCaseSensitive;

// The only error compiling can raise: a set range with nothing before its '-'.
class CExpressionError : public std::invalid_argument {
public:
  static constexpr uint32_t kInvalidArgument = 0x80070057u;
  explicit CExpressionError(const std::string& message) : std::invalid_argument(message) {}
  uint32_t Code() const { return kInvalidArgument; }
};

// "Not set" for counterValue and counterStart (0xF409C550).
inline constexpr int32_t kCounterUnset = -200686256;
inline constexpr int32_t kDefaultMaxCount = 32767;

class CUnicodeExpression {
public:
  // text == nullptr is the absent text: the node is left as constructed.
  // The whole chain after this node is built here too.
  explicit CUnicodeExpression(const std::u16string* text = nullptr, CUnicodeExpression* prevNode = nullptr);
  CUnicodeExpression(const CUnicodeExpression&) = delete;
  CUnicodeExpression& operator=(const CUnicodeExpression&) = delete;

  virtual void Parse(const std::u16string& text);
  virtual void ParseElement(const std::u16string& text);
  virtual ~CUnicodeExpression();

  // Postfix (UNIX-style) form of this element; true when the operator moved.
  bool OperatorLast(std::u16string& out) const;

  // Gives every alternative the prev/next of its group (detach false) or clears them.
  static void LinkAlternatives(CUnicodeExpression* node, bool detach);

  std::u16string chars;
  uint8_t isSet = 0;
  char16_t op = 0;
  char16_t origOp = 0;
  int32_t minCount = 1;
  int32_t maxCount = kDefaultMaxCount;
  int32_t repeatCount = 0;
  std::u16string matchText;
  int32_t matchStart = -1;
  int32_t matchEnd = -1;
  int32_t isNumeric = 0;
  int32_t counterValue = kCounterUnset;
  int32_t counterStart = kCounterUnset;
  uint8_t counterEnabled = 1;
  int16_t padWidth = 0;
  std::u16string source;
  uint8_t anyChar = 0;
  uint8_t stopAtLineEnd = 0;
  CUnicodeExpression* alternative = nullptr;  // owned
  CUnicodeExpression* next = nullptr;         // owned
  CUnicodeExpression* prev = nullptr;         // not owned
  CUnicodeExpression* nextInOrder = nullptr;  // not owned
  int32_t chainIndex = -1;  // position along next, set where the matcher indexes a long chain

private:
  // Compile this node's element only and return where the rest of text starts
  // (npos when nothing follows), so that chains are built by a loop, not by
  // recursion that deepens with every element.
  size_t ParseOne(std::u16string_view text);
  size_t ParseElementOne(std::u16string_view text);
  void FinishElement();
  void FoldChars();
  // Deletes the alternative chain and the nodes after this one, one at a time.
  void DestroyOwned() noexcept;
};

// Sub-expression numbering of replace references: a node counts when it has an
// operator, is a set or has alternatives. SubExpression gives number k (from 1)
// along `next`, or null when the chain has fewer.
bool HasSubExpressionNumber(const CUnicodeExpression* node);
CUnicodeExpression* SubExpression(CUnicodeExpression* head, int32_t k);

// Golden-text dump of a compiled chain, one line per node (alternatives indented).
std::string Dump(const CUnicodeExpression* head);
