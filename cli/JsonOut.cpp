// ASCII-only JSON output for tandrel-cli --json.
#include "cli/JsonOut.h"

namespace {

void AppendHexUnit(std::string& out, unsigned unit) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

std::string AsciiString(std::string_view key) {
  std::u16string units(key.begin(), key.end());
  return JsonString(units);
}

}  // namespace

std::string JsonString(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  for (char16_t u : text) {
    if (u == u'"') {
      out += "\\\"";
    } else if (u == u'\\') {
      out += "\\\\";
    } else if (u < 0x20 || u >= 0x7F) {
      AppendHexUnit(out, u);
    } else {
      out += static_cast<char>(u);
    }
  }
  out += '"';
  return out;
}

std::string JsonArray(const std::vector<std::string>& values) {
  // Sized once: a report of a big text holds hundreds of megabytes here.
  size_t size = 2 + values.size();
  for (const std::string& v : values) size += v.size();
  std::string out;
  out.reserve(size);
  out += '[';
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) out += ',';
    out += values[i];
  }
  out += ']';
  return out;
}

std::string JsonStringArray(const std::vector<std::u16string>& texts) {
  std::vector<std::string> values;
  values.reserve(texts.size());
  for (const std::u16string& t : texts) values.push_back(JsonString(t));
  return JsonArray(values);
}

void CJsonObject::Add(std::string_view key, std::string value) { m_members.emplace_back(key, std::move(value)); }

void CJsonObject::AddString(std::string_view key, std::u16string_view text) { Add(key, JsonString(text)); }

void CJsonObject::AddNumber(std::string_view key, long long value) { Add(key, std::to_string(value)); }

std::string CJsonObject::Str() const {
  size_t size = 2 + 1;  // braces, and room for a line end the caller may add
  for (const auto& [key, value] : m_members) size += key.size() + 4 + value.size();
  std::string out;
  out.reserve(size);
  out += '{';
  for (size_t i = 0; i < m_members.size(); ++i) {
    if (i > 0) out += ',';
    out += AsciiString(m_members[i].first);
    out += ':';
    out += m_members[i].second;
  }
  out += '}';
  return out;
}
