// The program's own string table and the language pack's override.
#include "res/Strings.h"

#include <map>
#include <utility>

namespace res {
namespace {

const std::map<unsigned, std::u16string>& Table() {
  static const std::map<unsigned, std::u16string> table = {
      {2012, u"%lu KB"},
      {2138, u"All Files|*.*||"},
      {2175, u"%ld bytes"},
      {2176, u"%.0lf KB"},
      {2177, u"%.2lf MB"},
      {2178, u"%.2lf GB"},
      {2324, u"www.pellucor.example"},
      {2325, u"support@pellucor.example"},
      {3018, std::u16string(u"Language DLL version doesn not match that of the program.\nPlease download the latest from ") +
                 kMakerWeb},
      {3019, u"Expression"},
      {3020, u"Code"},
      {3021, u"Displayed As"},
      {3022, u"String listed below"},
      {3023, u"Match of search expression #%d"},
      {5000, u"Please enter a string or select characters to match"},
      {5001, u"Any printable character"},
      {57344, u"Tandrel"},
  };
  return table;
}

std::function<bool(unsigned, std::u16string&)>& Override() {
  static std::function<bool(unsigned, std::u16string&)> lookup;
  return lookup;
}

}  // namespace

std::u16string OwnString(unsigned id) {
  auto it = Table().find(id);
  return it == Table().end() ? std::u16string() : it->second;
}

std::u16string LoadString(unsigned id) {
  std::u16string text;
  if (Override() && Override()(id, text)) return text;
  return OwnString(id);
}

void SetStringOverride(std::function<bool(unsigned, std::u16string&)> lookup) { Override() = std::move(lookup); }

const std::vector<unsigned>& OwnStringIds() {
  static const std::vector<unsigned> ids = [] {
    std::vector<unsigned> v;
    for (const auto& [id, text] : Table()) v.push_back(id);
    return v;
  }();
  return ids;
}

}  // namespace res
