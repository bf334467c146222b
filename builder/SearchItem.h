// One search item: the form that describes it, the text generated from the form
// (native or UNIX-style syntax) and the reading of an item's text back into the
// form. Pure functions; the list model in SearchItemModel.h uses them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

enum class SearchItemType : int32_t {
  ExactlyOne = 0,
  ZeroOrMore = 1,
  OneOrMore = 2,
  CountRange = 3,
  LineStart = 4,
  LineEnd = 5,
  FileStart = 6,
  FileEnd = 7,
  NotMatched = 8,
  IsMatched = 9,
};
inline constexpr int32_t kSearchItemTypes = 10;

// The type combo's entry for a type (the dialog's own texts, spelling included).
std::u16string SearchItemTypeText(SearchItemType type);

// The values exchanged with the search page's controls.
struct CSearchItemForm {
  SearchItemType type = SearchItemType::ExactlyOne;
  std::u16string atLeast;     // as typed
  std::u16string noMoreThan;  // as typed
  std::u16string string;
  std::set<int32_t> selection;  // selected entries of the CharacterTable (0-256)
  bool countsEnabled = false;   // the two count edits; on only while the type is CountRange

  bool operator==(const CSearchItemForm&) const = default;
};

// One row of the item list.
struct CSearchItemRow {
  std::u16string text;
  std::u16string code;      // "%n" for a node with an operator, else empty
  uintptr_t constraint = 0; // j + 1 for the row of condition j, else 0

  bool operator==(const CSearchItemRow&) const = default;
};

// The count text of CountRange from the two count fields, as typed.
std::u16string SearchCountText(const std::u16string& atLeast, const std::u16string& noMoreThan);
// The set text of a selection: runs of entries, the full range rewritten as "[]".
std::u16string SearchSetText(const std::set<int32_t>& selection);

// The page's check: with rows in the list, ExactlyOne or CountRange needs a
// string or a selected character. True when the form fails (message 5000).
bool SearchFormFails(const CSearchItemForm& form, size_t rowCount);

// The item text of the form. Escapes the string (unless it already holds a
// backslash) and stores the escaped string back into the form. In UNIX mode a
// CountRange item with a count keeps the prefix form ("+2-5[0-9]"), which the
// UNIX-style translation leaves as it is; the postfix form would not carry it.
std::u16string BuildSearchItemText(CSearchItemForm& form, bool unixMode);

// Sets the form from an item's text (translated first in UNIX mode), compiling
// it with the case flag forced to 1. Throws CExpressionError when the text does
// not compile; the form and the case flag are then as they were.
void LoadFormFromSearchItem(const std::u16string& text, bool unixMode, CSearchItemForm& form);

// Sets the form from a condition: IsMatched or NotMatched, its text as the
// string, counts off; the character selection is kept.
void ShowConstraintItem(const std::u16string& text, bool mustMatch, CSearchItemForm& form);
