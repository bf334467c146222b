// Formatting of the About box's figures.
#include "wizard/AboutFormat.h"

#include <QStorageInfo>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "wizard/QtText.h"

namespace tandrel {
namespace {

enum class Kind { Integer, Real };

// Splits fmt at its first conversion; false when there is none of kind.
bool FindConversion(const QString& fmt, Kind kind, qsizetype& begin, qsizetype& end, std::string& conversion) {
  for (qsizetype i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != u'%') continue;
    if (i + 1 < fmt.size() && fmt[i + 1] == u'%') {
      ++i;
      continue;
    }
    qsizetype j = i + 1;
    std::string flags, width, precision;
    while (j < fmt.size() && QStringLiteral("-+ #0").contains(fmt[j])) flags += static_cast<char>(fmt[j++].unicode());
    while (j < fmt.size() && fmt[j].isDigit() && width.size() < 3) width += static_cast<char>(fmt[j++].unicode());
    if (j < fmt.size() && fmt[j] == u'.') {
      precision.push_back('.');  // not '= "."': GCC 12 warns falsely (-Wrestrict) at -O2
      ++j;
      while (j < fmt.size() && fmt[j].isDigit() && precision.size() < 3) precision += static_cast<char>(fmt[j++].unicode());
    }
    while (j < fmt.size() && QStringLiteral("hlLqjzt").contains(fmt[j])) ++j;
    if (j >= fmt.size()) return false;
    const char16_t conv = fmt[j].unicode();
    const bool isInteger = QStringLiteral("diuxX").contains(QChar(conv));
    const bool isReal = QStringLiteral("feEgG").contains(QChar(conv));
    if ((kind == Kind::Integer && !isInteger) || (kind == Kind::Real && !isReal)) return false;
    conversion = "%" + flags + width + precision + (kind == Kind::Integer ? "ll" : "") + static_cast<char>(conv);
    begin = i;
    end = j + 1;
    return true;
  }
  return false;
}

QString Unescape(const QString& text) {
  QString out = text;
  return out.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

template <typename T>
QString Format(const QString& fmt, Kind kind, T value) {
  qsizetype begin = 0, end = 0;
  std::string conversion;
  if (!FindConversion(fmt, kind, begin, end, conversion)) return Unescape(fmt);
  char buf[512];
  std::snprintf(buf, sizeof buf, conversion.c_str(), value);
  return Unescape(fmt.left(begin)) + QString::fromLatin1(buf) + Unescape(fmt.mid(end));
}

}  // namespace

QString FormatInteger(const QString& fmt, long long value) { return Format(fmt, Kind::Integer, value); }
QString FormatReal(const QString& fmt, double value) { return Format(fmt, Kind::Real, value); }

QString FormatDiskSpace(uint64_t bytes) {
  constexpr uint64_t kKB = 1024, kMB = 1048576, kGB = 1073741824;
  if (bytes < kKB) return FormatInteger(LoadQString(2175), static_cast<long long>(bytes));
  if (bytes < kMB) return FormatReal(LoadQString(2176), static_cast<double>(bytes) / kKB);
  if (bytes > kGB) return FormatReal(LoadQString(2178), static_cast<double>(bytes) / kGB);
  return FormatReal(LoadQString(2177), static_cast<double>(bytes) / kMB);
}

QString FormatMemory(uint64_t totalBytes) {
  return FormatInteger(LoadQString(2012), static_cast<long long>(totalBytes / 1024));
}

QString ReplaceYear(const QString& text, int year) {
  const QString now = QStringLiteral("%1").arg(year, 4, 10, QChar(u'0'));
  for (const char* candidate : {"2008", "2009", "2010", "2011"}) {
    const QString y = QString::fromLatin1(candidate);
    if (text.contains(y)) return QString(text).replace(y, now);
  }
  return text;
}

uint64_t TotalPhysicalMemory() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGE_SIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(pageSize);
}

uint64_t FreeDiskSpace(const QString& path) {
  QStorageInfo info(path);
  if (!info.isValid()) return 0;
  qint64 available = info.bytesAvailable();
  // Space for the user first; the file system's free space when that is unknown.
  if (available <= 0) available = info.bytesFree();
  return available > 0 ? static_cast<uint64_t>(available) : 0;
}

}  // namespace tandrel
