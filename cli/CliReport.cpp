// tandrel-cli's two output forms.
#include "cli/CliReport.h"

#include <algorithm>
#include <cstdio>

#include "engine/TextUtil.h"

namespace {

std::string HexEscape(unsigned unit) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\u%04X", unit);
  return buf;
}

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

struct CLineColumn {
  int64_t line = 1;
  int64_t column = 1;
};

// A line break is LF, or CR not followed by LF, as the searcher counts them.
CLineColumn LocateUnit(const std::u16string& text, int64_t index) {
  CLineColumn at;
  const int64_t end = std::clamp<int64_t>(index, 0, static_cast<int64_t>(text.size()));
  int64_t lineStart = 0;
  for (int64_t i = 0; i < end; ++i) {
    const char16_t u = text[static_cast<size_t>(i)];
    const bool crlf = u == u'\r' && i + 1 < static_cast<int64_t>(text.size()) && text[static_cast<size_t>(i) + 1] == u'\n';
    if (u == u'\n' || (u == u'\r' && !crlf)) {
      ++at.line;
      lineStart = i + 1;
    }
  }
  at.column = end - lineStart + 1;
  return at;
}

}  // namespace

std::string QuoteForPeople(std::u16string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t u = text[i];
    switch (u) {
      case u'"': out += "\\\""; continue;
      case u'\\': out += "\\\\"; continue;
      case u'\n': out += "\\n"; continue;
      case u'\r': out += "\\r"; continue;
      case u'\t': out += "\\t"; continue;
      default: break;
    }
    if (u < 0x20 || u == 0x7F) {
      out += HexEscape(u);
    } else if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
      out += ToUtf8(text.substr(i, 2));
      ++i;
    } else if (IsHigh(u) || IsLow(u)) {
      out += HexEscape(u);
    } else {
      out += ToUtf8(text.substr(i, 1));
    }
  }
  out += '"';
  return out;
}

CJsonObject BuildJsonReport(const CEvalModel& model, int32_t shift) {
  std::vector<std::string> hits;
  hits.reserve(model.m_aHits.size());
  for (const CZyHit& hit : model.m_aHits) {
    CJsonObject h;
    h.AddNumber("bytePos", hit.m_nPos);
    h.AddNumber("pos", hit.m_nPos / 2);  // C++ division truncates toward zero
    h.AddNumber("line", hit.m_nLine);
    h.AddString("found", hit.m_strFound);
    h.AddString("replacement", hit.m_strReplacement);
    h.Add("itemFound", JsonStringArray(hit.m_aItemFound));
    h.Add("itemReplace", JsonStringArray(hit.m_aItemReplace));
    hits.push_back(h.Str());
  }
  CJsonObject report;
  report.Add("hits", JsonArray(hits));
  std::vector<std::string>().swap(hits);  // joined now; free the pieces before the next big string
  report.AddString("replaced", model.m_strReplaced);
  report.AddNumber("shift", shift);
  return report;
}

std::string BuildHumanReport(const CEvalModel& model, int32_t shift, bool withReplaced) {
  std::string out;
  const size_t count = model.m_aHits.size();
  if (count == 0) {
    out += "no hits\n";
  } else {
    out += std::to_string(count) + (count == 1 ? " hit\n" : " hits\n");
  }
  for (size_t i = 0; i < count; ++i) {
    const CZyHit& hit = model.m_aHits[i];
    const CLineColumn at = LocateUnit(model.m_strSample, hit.m_nPos / 2);
    out += "hit " + std::to_string(i + 1) + " at line " + std::to_string(at.line) + ", column " +
           std::to_string(at.column) + ": " + QuoteForPeople(hit.m_strFound);
    if (withReplaced) out += " -> " + QuoteForPeople(hit.m_strReplacement);
    out += '\n';
  }
  if (withReplaced) {
    if (model.m_nCurHit >= 0 && static_cast<size_t>(model.m_nCurHit) < count) {
      const CZyHit& current = model.m_aHits[static_cast<size_t>(model.m_nCurHit)];
      out += "current hit " + std::to_string(model.m_nCurHit + 1) + " starts at character " +
             std::to_string(static_cast<int64_t>(current.m_nPos / 2) + shift) + " of the replaced text\n";
    }
    out += "replaced text:\n";
    out += ToUtf8(model.m_strReplaced);
    if (model.m_strReplaced.empty() || model.m_strReplaced.back() != u'\n') out += '\n';
  }
  return out;
}
