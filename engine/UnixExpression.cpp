// UNIX-style reading of search expressions: a '+', '*', '?' or '!' written
// after a set or group moves in front of it, where the native syntax wants it.
#include "engine/UnixExpression.h"

#include <string_view>

#include "engine/Escape.h"

namespace {

bool IsPostfixOperator(char16_t c) { return c == u'+' || c == u'*' || c == u'?' || c == u'!'; }

}  // namespace

bool TranslateUnixExpression(std::u16string& text) {
  std::u16string out;
  std::u16string_view rest = text;
  bool moved = false;
  for (int32_t p = FindFirstUnescapedOf(rest, u"[("); p >= 0; p = FindFirstUnescapedOf(rest, u"[(")) {
    out.append(rest.substr(0, static_cast<size_t>(p)));
    rest.remove_prefix(static_cast<size_t>(p));
    const int32_t n = GroupLength(rest);
    if (n <= 0) {
      // The set or group does not close: the rest is copied as it stands.
      out.append(rest);
      rest = {};
      break;
    }
    const std::u16string_view part = rest.substr(0, static_cast<size_t>(n));
    rest.remove_prefix(static_cast<size_t>(n));
    // The unit right after the bracket is never escaped (it follows ')' or ']').
    if (!rest.empty() && IsPostfixOperator(rest.front())) {
      out.push_back(rest.front());
      out.append(part);
      rest.remove_prefix(1);
      moved = true;
    } else {
      out.append(part);
    }
  }
  if (moved) {
    out.append(rest);
    text = std::move(out);
  }
  return moved;
}
