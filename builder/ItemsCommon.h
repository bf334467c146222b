// What the builder item models hand back to their pages: the messages to show,
// the spans to colour, and small helpers shared by the search and replace sides.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A message box the page shows, in the order given.
struct CBuilderMessage {
  enum class Kind {
    FormIncomplete,  // string 5000: nothing was generated
    CompileError,    // an expression failed to compile (a set range without a start)
  };
  Kind kind = Kind::FormIncomplete;
  std::u16string text;
};

// Where the part of the current hit that belongs to item s lies, counted from
// the hit's start in characters: [b, e).
struct CItemSpan {
  int32_t b = 0;
  int32_t e = 0;
};
// b = the lengths of parts 0..s-1, e = b + the length of part s; both the total
// when s is not below the number of parts (or negative).
CItemSpan ItemSpan(const std::vector<std::u16string>& parts, int32_t s);

// The result of an operation of an item model: what the page must redraw.
struct CItemsResult {
  std::vector<CBuilderMessage> messages;
  bool refreshed = false;  // false: nothing changed; nothing to redraw
  bool listEmpty = false;  // the list is empty: the form was reset, the expression kept
  // The pane's text (the sample text, or the replaced text on the replace page).
  std::u16string paneText;
  bool hasHit = false;     // a current hit exists; the spans below are valid
  int32_t hitStart = 0;    // the current hit in the pane text, in characters: [hitStart, hitEnd)
  int32_t hitEnd = 0;
  int32_t itemStart = 0;   // the selected item's part, in characters: [itemStart, itemEnd)
  int32_t itemEnd = 0;     // also where the caret goes and which line scrolls to the top
  bool constraintShown = false;  // search page: the form shows a condition; no item span
};

// "%d" in a format taken from the string table, with "%%" giving "%".
std::u16string FormatNumber(const std::u16string& format, int32_t n);

// Forces the engine's case flag to one value and puts the old value back when
// it goes out of scope, also when compiling throws.
class CCaseFlagGuard {
public:
  explicit CCaseFlagGuard(int32_t value);
  ~CCaseFlagGuard();
  CCaseFlagGuard(const CCaseFlagGuard&) = delete;
  CCaseFlagGuard& operator=(const CCaseFlagGuard&) = delete;

private:
  int32_t m_nSaved;
};
