// The searcher: compiles a search expression (with its "!(...)" conditions) and
// a replace template, finds the next hit in a buffer and hands out its parts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/TextScan.h"
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
  // What the scan derives from the compiled chain, kept from one Search to
  // the next. Each part names what it was built from and is rebuilt when
  // that differs (a line start changes the head node's counts).
  struct CScanCache {
    int32_t windowMaxCount = 0;  // head->maxCount the window was computed for
    bool windowKnown = false;
    int32_t window = 0;  // MaxMatchLength(head)

    const CUnicodeExpression* setNode = nullptr;  // the set plan the tables are for
    bool setFold = false;                         // and whether units were folded
    bool setScan = false;                         // setFirst holds every member
    CScanUnits setFirst;
    std::vector<uint64_t> setMembers;       // one bit per member unit
    std::array<uint8_t, 256> setLow = {};  // 1: a text unit below 256 the set accepts
    // setLow as up to kSetRanges runs of units, for a vectorised pass over
    // rejected units (setVector: it fits), and whether units from 256 on must
    // be looked at one by one.
    static constexpr int kSetRanges = 4;
    bool setVector = false;
    int setRangeCount = 0;
    std::array<char16_t, kSetRanges> setRangeFirst = {};
    std::array<char16_t, kSetRanges> setRangeLast = {};
    bool setHighCandidates = true;
  };
  CScanCache scanCache;
  std::u16string constraintText;  // the candidate handed to the conditions

  int32_t WindowLength();
  // The first unit index at or after `from` that the set plan p accepts, or INT32_MAX.
  int32_t NextSetUnit(const CTextView& view, const CUnicodeExpression* p, int32_t from);
  void PrepareSetTables(const CUnicodeExpression* p, bool fold);
  static int32_t SkipRejectedUnits(const CTextView& view, int32_t c, const CScanCache& cache);

  void AddConstraint(const std::u16string& text, bool mustMatchText);
};
