// Generating replace item text from the form, reading it back, listing templates.
#include "builder/ReplaceItem.h"

#include "builder/Escaping.h"
#include "builder/ItemsCommon.h"
#include "res/Strings.h"
#include "search/UnicodeReplaceExpression.h"
#include "search/UnicodeSearcher.h"

std::u16string BuildReplaceItemText(CReplaceItemForm& form) {
  const int32_t n = form.type;
  if (n <= 0) {
    if (form.string.find(u'\\') == std::u16string::npos) EscapeSpecials(form.string, kReplaceSpecials);
    return form.string;
  }
  std::u16string text = u"%";
  text += static_cast<char16_t>(static_cast<uint8_t>(48 + n));
  const std::u16string& s = form.string;
  if (form.lowerCase) {
    text += u'<';
    if (!s.empty() && s.back() == u'<') text += s;
  } else if (form.upperCase) {
    text += u'>';
    if (!s.empty() && s.back() == u'>') text += s;
  }
  return text;
}

void LoadFormFromReplaceItem(const std::u16string& text, size_t typeCount, CReplaceItemForm& form) {
  form.upperCase = false;
  form.lowerCase = false;
  form.type = 0;
  if (text.size() >= 2 && text[0] == u'%') {
    const int32_t n = static_cast<int32_t>(text[1] & 0xFF) - 48;
    if (n >= 1 && static_cast<size_t>(n) < typeCount) form.type = n;
    if (text.size() > 2) {
      if (text[2] == u'<') form.lowerCase = true;
      if (text[2] == u'>') form.upperCase = true;
    }
  }
  form.string = form.type == 0 ? text : (text.size() > 3 ? text.substr(3) : std::u16string());
}

std::vector<std::u16string> ReplaceTypeChoices(const CUnicodeSearcher* searcher) {
  std::vector<std::u16string> choices{res::LoadString(3022)};
  if (!searcher) return choices;
  const std::u16string format = res::LoadString(3023);
  int32_t n = 0;
  for (int32_t i = 0; const CUnicodeExpression* node = searcher->GetSearchNode(i); ++i)
    if (node->op != 0) choices.push_back(FormatNumber(format, ++n));
  return choices;
}

std::vector<std::u16string> ReplaceRowsOf(const CUnicodeSearcher& searcher, const std::u16string& templateText) {
  std::vector<std::u16string> rows;
  std::u16string consumed;
  for (int32_t i = 0; const CUnicodeReplaceExpression* e = searcher.GetReplaceNode(i); ++i) {
    std::u16string text;
    if (e->source.empty() && !e->Referenced() && e->caseMode == 0) {
      // The rest of the template, read as one literal: its raw text is only in the template.
      if (templateText.size() >= consumed.size() && templateText.compare(0, consumed.size(), consumed) == 0) {
        text = templateText.substr(consumed.size());
      } else {
        text = e->chars;
        EscapeSpecials(text, kReplaceSpecials);
      }
    } else {
      text = e->source;
      if (e->caseMode == 3) text += u"%%ZYFILL" + e->fillText + u"%%";
    }
    consumed += text;
    rows.push_back(std::move(text));
  }
  return rows;
}
