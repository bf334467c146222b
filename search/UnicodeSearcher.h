// The searcher: compiles a search expression (with its "!(...)" conditions) and
// a replace template, finds the next hit in a buffer and hands out its parts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/UnicodeExpression.h"
#include "search/UnicodeReplaceExpression.h"

class CSearcher {
public:
  virtual ~CSearcher() = default;
  virtual void GetFoundTextA(std::string& out) = 0;
  virtual void GetFoundText(std::u16string& out) = 0;
  virtual void GetReplacementA(std::string& out) = 0;
  virtual void GetReplacement(std::u16string& out) = 0;
  // Byte offset just past the first hit in buffer, or -1. The buffer is read
  // only; the end-of-text line feed is supplied without writing it.
  virtual int32_t Search(const char16_t* buffer, int32_t bufferBytes, int32_t remainingBytes, int32_t offset,
                         int32_t offset2, int32_t* lastLineEnd, int32_t* lineCount) = 0;
  virtual void Reset(bool restartCounters) = 0;
  virtual int32_t GetMaxMatchLength() = 0;
  virtual bool IsMustMatch() = 0;
};

class CUnicodeSearcher : public CSearcher {
public:
  // nullptr = absent text. Throws CExpressionError when the search text does not compile.
  CUnicodeSearcher(const std::u16string* searchText, const std::u16string* replaceText);
  CUnicodeSearcher(const CUnicodeSearcher&) = delete;
  CUnicodeSearcher& operator=(const CUnicodeSearcher&) = delete;
  ~CUnicodeSearcher() override;

  void GetFoundTextA(std::string& out) override;
  void GetFoundText(std::u16string& out) override;
  void GetReplacementA(std::string& out) override;
  void GetReplacement(std::u16string& out) override;
  int32_t Search(const char16_t* buffer, int32_t bufferBytes, int32_t remainingBytes, int32_t offset, int32_t offset2,
                 int32_t* lastLineEnd, int32_t* lineCount) override;
  void Reset(bool restartCounters) override;
  int32_t GetMaxMatchLength() override;
  bool IsMustMatch() override;
  virtual void Compile(std::u16string& expression);

  CUnicodeExpression* GetSearchNode(int32_t i) const;
  CUnicodeReplaceExpression* GetReplaceNode(int32_t i) const;

  const char16_t* buffer = nullptr;
  int32_t hitStart = 0;
  int32_t bufferBytes = 0;
  bool stateClean = false;
  bool mustMatch = true;
  CUnicodeExpression* firstToMatch = nullptr;
  CUnicodeExpression* head = nullptr;  // owned
  CUnicodeExpression* lastNode = nullptr;
  CUnicodeReplaceExpression* replaceHead = nullptr;  // owned
  std::vector<CUnicodeSearcher*> constraints;        // owned
  std::u16string expressionText;

  bool SplitConstraints(std::u16string& expression);
  void Prepare();
  void ResetMatchState();
  int32_t Advance(CUnicodeExpression* plan, int32_t len);
  int32_t Validate();
  bool CheckConstraints();

private:
  void AddConstraint(const std::u16string& text, bool mustMatchText);
};
