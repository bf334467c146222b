// Conversions between the 16-bit text of the search library and Qt's strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tandrel {

inline QString ToQ(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

inline std::u16string FromQ(const QString& s) {
  return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()));
}

// A string of the table, through the language pack when one is in use.
QString LoadQString(unsigned id);

// One JSON string literal, ASCII only: every unit below 0x20 or from 0x7F on
// becomes \uXXXX, so every 16-bit unit (lone surrogates too) survives.
std::string JsonString(std::u16string_view s);

}  // namespace tandrel
