// Listing and explaining the items of the two expressions for tandrel-cli.
#include "cli/CliExplain.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "builder/ReplaceItem.h"
#include "builder/SearchRows.h"
#include "builder/ItemsCommon.h"
#include "cli/CliReport.h"
#include "engine/Escape.h"
#include "engine/TextUtil.h"
#include "search/UnicodeReplaceExpression.h"
#include "search/UnicodeSearcher.h"

namespace {

// The rows are listed from a searcher that has not searched yet, as the search
// page lists them right after building it (searching changes a leading '^').
std::unique_ptr<CUnicodeSearcher> FreshSearcher(const CEvalModel& model) {
  return std::make_unique<CUnicodeSearcher>(&model.m_strSearch, &model.m_strReplace);
}

// For people the texts keep the case they were written in; case-insensitive
// matching is said in words instead.
std::unique_ptr<CUnicodeSearcher> SearcherAsWritten(const CEvalModel& model) {
  const CCaseFlagGuard caseFlag(1);
  return FreshSearcher(model);
}

bool HasCase(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t u) { return FoldCase(u) != u; });
}

std::string Number(long long n) { return std::to_string(n); }

std::string Quoted(std::u16string_view text) { return QuoteForPeople(text); }

std::string UnitName(char16_t u) {
  switch (u) {
    case u'\t': return "TAB";
    case u'\n': return "LF";
    case u'\r': return "CR";
    case u' ': return "space";
    default: break;
  }
  if (u > 0x20 && u < 0x7F) return std::string(1, static_cast<char>(u));
  char buf[8];
  std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(u));
  return buf;
}

// The members in code order, runs of three or more as ranges: "0-9, a-c, x".
std::string Members(std::u16string chars) {
  std::sort(chars.begin(), chars.end());
  chars.erase(std::unique(chars.begin(), chars.end()), chars.end());
  std::string out;
  for (size_t i = 0; i < chars.size();) {
    size_t j = i;
    while (j + 1 < chars.size() && chars[j + 1] == chars[j] + 1) ++j;
    if (!out.empty()) out += ", ";
    if (j - i >= 2) {
      out += UnitName(chars[i]) + "-" + UnitName(chars[j]);
    } else {
      out += UnitName(chars[i]);
      if (j > i) out += ", " + UnitName(chars[j]);
    }
    i = j + 1;
  }
  return out;
}

std::string DescribeNodeAsWritten(const CUnicodeExpression& n, bool first, bool last);

std::string HowMany(const CUnicodeExpression& n) {
  if (n.minCount == n.maxCount) return n.minCount == 1 ? "one" : "exactly " + Number(n.minCount);
  if (n.maxCount >= kDefaultMaxCount)
    return n.minCount == 0 ? "none or more" : n.minCount == 1 ? "one or more" : Number(n.minCount) + " or more";
  return Number(n.minCount) + " to " + Number(n.maxCount);
}

std::string DescribeNode(const CUnicodeExpression& n, bool first, bool last, bool anyCase) {
  std::string text = DescribeNodeAsWritten(n, first, last);
  bool cased = HasCase(n.chars);
  for (const CUnicodeExpression* a = n.alternative; a; a = a->alternative) cased = cased || HasCase(a->chars);
  if (anyCase && cased && n.origOp != u'^' && n.origOp != u'$') text += ", in any case";
  return text;
}

std::string DescribeNodeAsWritten(const CUnicodeExpression& n, bool first, bool last) {
  if (n.origOp == u'^' || n.origOp == u'$') {
    const bool doubled = n.source.size() == 2;
    if (first && n.origOp == u'^') return doubled ? "the start of the text" : "the start of a line";
    if (last && n.origOp == u'$') return doubled ? "the end of the text" : "the end of a line";
    return "one or two line-break characters (CR, LF)";
  }
  if (n.isSet) {
    if (n.anyChar && n.stopAtLineEnd && n.chars.empty())
      return HowMany(n) + " of any character except line breaks and the controls U+0000-U+0008";
    if (n.anyChar && n.chars.empty()) return HowMany(n) + " of any character, line breaks included";
    std::string s = HowMany(n) + " of the characters " + Members(n.chars);
    if (n.anyChar) s += " (and any character where nothing else fits)";
    return s;
  }
  if (n.alternative) {
    std::string s = "one of " + Quoted(n.chars);
    for (const CUnicodeExpression* a = n.alternative; a; a = a->alternative) s += " or " + Quoted(a->chars);
    return n.minCount == 1 && n.maxCount == 1 ? s : HowMany(n) + " times " + s;
  }
  if (n.chars.empty()) return "nothing (an empty text)";
  const std::string text = "the text " + Quoted(n.chars);
  return n.minCount == 1 && n.maxCount == 1 ? text : text + ", " + HowMany(n) + " times";
}

std::string DescribeElement(const CUnicodeReplaceExpression& e) {
  const bool reference = e.source.size() >= 2 && e.source[0] == u'%' && e.source[1] >= 0x31 && e.source[1] <= 0x71;
  if (!reference) return e.chars.empty() ? "nothing (an empty text)" : "the text " + Quoted(e.chars);
  const std::string number = "#" + Number(e.source[1] - 0x30);
  if (!e.Referenced()) return "nothing: there is no sub-expression " + number;
  if (e.Direction() != 0) {
    std::string s = std::string("a number counting ") + (e.Direction() == 1 ? "up" : "down");
    s += e.counterStart != kCounterUnset ? " from " + Number(e.counterStart)
                                         : " from the number matched by " + number + " in the first hit";
    if (e.padWidth > 1) s += ", " + Number(e.padWidth) + " digits";
    return s;
  }
  switch (e.caseMode) {
    case 1: return "the text matched by " + number + ", in upper case";
    case 2: return "the text matched by " + number + ", in lower case";
    case 3: return Quoted(e.fillText) + " once for every character matched by " + number;
    default: return "the text matched by " + number;
  }
}

std::string Line(const char* kind, std::u16string_view text, std::u16string_view code, const std::string& meaning) {
  std::string line = std::string(kind) + " " + Quoted(text);
  if (!code.empty()) line += " " + ToUtf8(code);
  return line + ": " + meaning + "\n";
}

}  // namespace

void AddItemsToJsonReport(const CEvalModel& model, bool unixMode, CJsonObject& report) {
  const auto searcher = FreshSearcher(model);
  std::vector<std::string> items;
  for (const CSearchItemRow& row : SearchRowsOf(*searcher, unixMode)) {
    CJsonObject item;
    item.AddString("text", row.text);
    item.AddString("code", row.code);
    item.AddNumber("constraint", static_cast<long long>(row.constraint));
    items.push_back(item.Str());
  }
  report.Add("searchItems", JsonArray(items));
  report.Add("replaceItems", JsonStringArray(ReplaceRowsOf(*searcher, model.m_strReplace)));
}

std::string BuildExplanation(const CEvalModel& model, bool unixMode) {
  const auto searcher = SearcherAsWritten(model);
  const bool anyCase = model.m_bCaseSensitive == 0;
  std::string out;
  const std::vector<CSearchItemRow> rows = SearchRowsOf(*searcher, unixMode);
  for (int32_t i = 0; const CUnicodeExpression* node = searcher->GetSearchNode(i); ++i) {
    const auto& row = rows[static_cast<size_t>(i)];
    out += Line("search", row.text, row.code, DescribeNode(*node, i == 0, node->next == nullptr, anyCase));
  }
  for (const CSearchItemRow& row : rows) {
    if (row.constraint == 0) continue;
    const CUnicodeSearcher& c = *searcher->constraints[row.constraint - 1];
    const std::u16string inner = ConstraintText(c, unixMode);
    out += Line("search", row.text, u"",
                std::string(c.mustMatch ? "the hit must also contain a match of " : "the hit must not contain a match of ") +
                    Quoted(inner));
  }
  const std::vector<std::u16string> replaceRows = ReplaceRowsOf(*searcher, model.m_strReplace);
  for (int32_t i = 0; const CUnicodeReplaceExpression* e = searcher->GetReplaceNode(i); ++i)
    out += Line("replace", replaceRows[static_cast<size_t>(i)], u"", DescribeElement(*e));
  return out;
}
