// Writing JSON that is ASCII only: every 16-bit unit below 0x20 or from 0x7F on
// is written as \uXXXX, so that every unit, lone surrogates too, survives.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A JSON string literal, quotes included.
std::string JsonString(std::u16string_view text);
// A JSON array of already written values.
std::string JsonArray(const std::vector<std::string>& values);
std::string JsonStringArray(const std::vector<std::u16string>& texts);

// An object whose members keep the order in which they were added; values are
// already written JSON.
class CJsonObject {
public:
  void Add(std::string_view key, std::string value);
  void AddString(std::string_view key, std::u16string_view text);
  void AddNumber(std::string_view key, long long value);
  std::string Str() const;

private:
  std::vector<std::pair<std::string, std::string>> m_members;
};
