// Generating search item text from the form and reading it back.
#include "builder/SearchItem.h"

#include <array>
#include <iterator>
#include <memory>
#include <string_view>

#include "builder/CharacterTable.h"
#include "builder/Escaping.h"
#include "builder/ItemsCommon.h"
#include "engine/Number.h"
#include "engine/UnicodeExpression.h"
#include "engine/UnixExpression.h"

namespace {

// "?*++^$": the operator of types 0 to 5.
constexpr std::u16string_view kOperators = u"?*++^$";

bool Counts(const std::u16string& text) { return !text.empty() && ReadNumber(text, 10).value > 0; }

std::u16string Decimal(int32_t n) {
  std::u16string out;
  for (char c : std::to_string(n)) out += static_cast<char16_t>(c);
  return out;
}

bool IsWildcard(const CUnicodeExpression& node) {
  return node.isSet && node.anyChar && node.stopAtLineEnd && node.chars.empty();
}

}  // namespace

std::u16string SearchItemTypeText(SearchItemType type) {
  static const std::array<std::u16string_view, kSearchItemTypes> kTexts = {
      u"Exactly one occurrence",
      u"Zero or more occurences",
      u"One or more occurences",
      u"A given range or occurences",
      u"Beginning of Line",
      u"End of Line",
      u"Start of file",
      u"End of file",
      u"Expression below *not* matched",
      u"Expression below *is* matched",
  };
  const auto i = static_cast<int32_t>(type);
  return (i >= 0 && i < kSearchItemTypes) ? std::u16string(kTexts[static_cast<size_t>(i)]) : std::u16string();
}

std::u16string SearchCountText(const std::u16string& atLeast, const std::u16string& noMoreThan) {
  const bool a = Counts(atLeast);
  const bool b = Counts(noMoreThan);
  if (a && b) return atLeast + u"-" + noMoreThan;
  if (b) return u"-" + noMoreThan;
  if (a) return atLeast + u"+";
  return {};
}

std::u16string SearchSetText(const std::set<int32_t>& selection) {
  if (selection.empty() || *selection.begin() <= CharacterTable::kAnyPrintable) return {};
  std::u16string text = u"[";
  auto it = selection.begin();
  while (it != selection.end()) {
    const int32_t first = *it;
    int32_t last = first;
    auto next = std::next(it);
    while (next != selection.end() && *next == last + 1) {
      last = *next;
      ++next;
    }
    text += CharacterTable::CodeText(first);
    if (last != first) text += u"-" + CharacterTable::CodeText(last);
    it = next;
  }
  text += u"]";
  if (text == u"[\\0x00-\u00FF]") text = u"[]";
  return text;
}

bool SearchFormFails(const CSearchItemForm& form, size_t rowCount) {
  return rowCount > 0 && form.string.empty() &&
         (form.type == SearchItemType::ExactlyOne || form.type == SearchItemType::CountRange) && form.selection.empty();
}

std::u16string BuildSearchItemText(CSearchItemForm& form, bool unixMode) {
  const auto t = static_cast<int32_t>(form.type);
  const std::u16string c =
      form.type == SearchItemType::CountRange ? SearchCountText(form.atLeast, form.noMoreThan) : std::u16string();
  if (!form.string.empty() && form.string.find(u'\\') == std::u16string::npos)
    EscapeSpecials(form.string, kSearchSpecials);
  const std::u16string op = (t >= 0 && t < 6) ? std::u16string(1, kOperators[static_cast<size_t>(t)]) : u"";

  if (!form.string.empty()) {
    const std::u16string& s = form.string;
    switch (form.type) {
      case SearchItemType::ZeroOrMore:
      case SearchItemType::OneOrMore:
        return unixMode ? u"(" + s + u")" + op : op + u"(" + s + u")";
      case SearchItemType::CountRange:
        return (unixMode && c.empty()) ? u"(" + s + u")+" : u"+" + c + u"(" + s + u")";
      case SearchItemType::LineStart:
      case SearchItemType::LineEnd:
        return op;
      case SearchItemType::NotMatched:
        return unixMode ? u"(" + s + u")!" : u"!(" + s + u")";
      default:
        return s;
    }
  }
  const std::u16string set = SearchSetText(form.selection);
  switch (form.type) {
    case SearchItemType::ExactlyOne:
    case SearchItemType::ZeroOrMore:
    case SearchItemType::OneOrMore:
      return unixMode ? set + op : op + set;
    case SearchItemType::CountRange:
      return (unixMode && c.empty()) ? set + u"+" : u"+" + c + set;
    case SearchItemType::LineStart:
    case SearchItemType::LineEnd:
      return op;
    case SearchItemType::FileStart:
      return u"^^";
    case SearchItemType::FileEnd:
      return u"$$";
    case SearchItemType::NotMatched:
      return unixMode ? u"()!" : u"!()";
    default:
      return {};
  }
}

void LoadFormFromSearchItem(const std::u16string& text, bool unixMode, CSearchItemForm& form) {
  CSearchItemForm result = form;
  result.countsEnabled = false;
  std::u16string r = text;
  std::unique_ptr<CUnicodeExpression> compiled;
  {
    // Literal text keeps the user's case only when compiled case-sensitively.
    CCaseFlagGuard caseFlag(1);
    if (unixMode) TranslateUnixExpression(r);
    compiled = std::make_unique<CUnicodeExpression>(&r);
  }
  const CUnicodeExpression& e = *compiled;
  switch (e.op) {
    case u'*':
      result.type = SearchItemType::ZeroOrMore;
      break;
    case u'+':
      if (e.minCount == 1 && e.maxCount == kDefaultMaxCount) {
        result.type = SearchItemType::OneOrMore;
      } else {
        result.type = SearchItemType::CountRange;
        result.countsEnabled = true;
        result.atLeast = Decimal(e.minCount);
        result.noMoreThan = Decimal(e.maxCount);
      }
      break;
    case u'?':
      if (e.origOp == u'^' || e.origOp == u'$') {
        const bool doubled = e.source.size() == 2;
        result.type = e.origOp == u'^' ? (doubled ? SearchItemType::FileStart : SearchItemType::LineStart)
                                       : (doubled ? SearchItemType::FileEnd : SearchItemType::LineEnd);
        r.clear();
      } else {
        result.type = SearchItemType::ExactlyOne;
      }
      break;
    default:
      result.type = SearchItemType::ExactlyOne;
      break;
  }
  result.selection.clear();
  result.string.clear();
  if (e.isSet) {
    // A wildcard stands for "any printable character" however it was written ('+3', '*').
    if (IsWildcard(e)) {
      result.selection.insert(CharacterTable::kAnyPrintable);
    } else {
      for (char16_t u : e.chars) result.selection.insert(CharacterTable::EntryOfUnit(u));
    }
  } else if (e.alternative) {
    std::u16string s = r;
    if (size_t open = s.find(u'('); open != std::u16string::npos) s.erase(0, open + 1);
    if (size_t close = s.rfind(u')'); close != std::u16string::npos) s.erase(close);
    result.string = s;
  } else {
    result.string = e.chars;
  }
  form = std::move(result);
}

void ShowConstraintItem(const std::u16string& text, bool mustMatch, CSearchItemForm& form) {
  form.type = mustMatch ? SearchItemType::IsMatched : SearchItemType::NotMatched;
  form.string = text;
  form.countsEnabled = false;
}
