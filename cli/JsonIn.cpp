// A strict reader for one JSON string literal: escapes as JSON defines them,
// raw text as well-formed UTF-8, no raw control characters.
#include "cli/JsonIn.h"

#include <cstdint>

namespace {

bool IsJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Decodes one UTF-8 sequence at text[i] (a lead byte from 0x80 on); advances i.
char32_t DecodeUtf8(std::string_view text, size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  int extra = 0;
  char32_t cp = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    cp = lead & 0x1F;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    cp = lead & 0x0F;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    cp = lead & 0x07;
    lowest = 0x10000;
  } else {
    throw CJsonError("the JSON string is not valid UTF-8");
  }
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= text.size()) throw CJsonError("the JSON string is not valid UTF-8");
    const auto b = static_cast<unsigned char>(text[i + k]);
    if ((b & 0xC0) != 0x80) throw CJsonError("the JSON string is not valid UTF-8");
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    throw CJsonError("the JSON string is not valid UTF-8");
  }
  i += static_cast<size_t>(extra) + 1;
  return cp;
}

}  // namespace

std::u16string ParseJsonString(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsJsonSpace(text[i])) ++i;
  if (i >= text.size() || text[i] != '"') throw CJsonError("the sample is not a JSON string: it must begin with '\"'");
  ++i;

  std::u16string out;
  bool closed = false;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"') {
      closed = true;
      ++i;
      break;
    }
    if (static_cast<unsigned char>(c) < 0x20) throw CJsonError("a control character must be escaped in a JSON string");
    if (static_cast<unsigned char>(c) >= 0x80) {
      AppendCodePoint(out, DecodeUtf8(text, i));
      continue;
    }
    if (c != '\\') {
      out += static_cast<char16_t>(c);
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) throw CJsonError("the JSON string ends inside an escape");
    const char e = text[i + 1];
    i += 2;
    switch (e) {
      case '"': out += u'"'; break;
      case '\\': out += u'\\'; break;
      case '/': out += u'/'; break;
      case 'b': out += u'\b'; break;
      case 'f': out += u'\f'; break;
      case 'n': out += u'\n'; break;
      case 'r': out += u'\r'; break;
      case 't': out += u'\t'; break;
      case 'u': {
        if (i + 4 > text.size()) throw CJsonError("\\u needs four hexadecimal digits in a JSON string");
        uint32_t unit = 0;
        for (int k = 0; k < 4; ++k) {
          const int h = HexValue(text[i + k]);
          if (h < 0) throw CJsonError("\\u needs four hexadecimal digits in a JSON string");
          unit = unit * 16 + static_cast<uint32_t>(h);
        }
        i += 4;
        out += static_cast<char16_t>(unit);  // exactly this unit, a lone surrogate too
        break;
      }
      default:
        throw CJsonError(std::string("unknown escape '\\") + e + "' in a JSON string");
    }
  }
  if (!closed) throw CJsonError("the JSON string has no closing '\"'");
  while (i < text.size() && IsJsonSpace(text[i])) ++i;
  if (i != text.size()) throw CJsonError("text follows the JSON string");
  return out;
}
