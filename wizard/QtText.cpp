// Text helpers shared by the wizard's windows.
#include "wizard/QtText.h"

#include <cstdio>

#include "res/Strings.h"

namespace tandrel {

QString LoadQString(unsigned id) { return ToQ(res::LoadString(id)); }

std::string JsonString(std::u16string_view s) {
  std::string out = "\"";
  for (char16_t u : s) {
    if (u == u'"') {
      out += "\\\"";
    } else if (u == u'\\') {
      out += "\\\\";
    } else if (u < 0x20 || u >= 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(u));
      out += buf;
    } else {
      out += static_cast<char>(u);
    }
  }
  out += '"';
  return out;
}

}  // namespace tandrel
