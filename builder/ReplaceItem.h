// One replace item: the form (type, case boxes, string), the template text made
// from it and the reading of an item's text back into the form; the type
// choices and the rows of a compiled template. Pure functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CUnicodeSearcher;

struct CReplaceItemForm {
  int32_t type = 0;  // combo index: 0 a literal string, n >= 1 sub-expression n; -1 no selection
  bool upperCase = false;
  bool lowerCase = false;
  std::u16string string;

  bool operator==(const CReplaceItemForm&) const = default;
};

// The template text of the form; a literal string without a backslash is
// escaped and stored back into the form.
std::u16string BuildReplaceItemText(CReplaceItemForm& form);

// Sets the form from a row's text; typeCount is the number of combo entries.
void LoadFormFromReplaceItem(const std::u16string& text, size_t typeCount, CReplaceItemForm& form);

// The type combo's entries: string 3022, then string 3023 for each node of the
// searcher that carries an operator. A null searcher gives the first entry only.
std::vector<std::u16string> ReplaceTypeChoices(const CUnicodeSearcher* searcher);

// The rows of the searcher's compiled template, whose texts concatenated give
// the template back: a reference keeps its fill part ("%1%%ZYFILL*%%"), and the
// literal that follows an unrecognised unit after "%" (which has no source) is
// taken from templateText, the text the searcher was built from; when that text
// does not fit, the literal's decoded text is escaped instead.
std::vector<std::u16string> ReplaceRowsOf(const CUnicodeSearcher& searcher, const std::u16string& templateText);
