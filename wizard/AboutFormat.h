// Texts of the About box that are computed: numbers put into the table's
// format strings, the memory and disk figures, and the copyright year.
#pragma once

#include <QString>
#include <cstdint>

namespace tandrel {

// fmt with its first conversion filled in. Only a conversion of the expected
// kind (d i u x X for integers, f e g for reals, with flags, width, precision
// and length letters) is filled; anything else, a translated text's stray
// "%s" for instance, stays as written, so a format string can never read
// arguments that are not there.
QString FormatInteger(const QString& fmt, long long value);
QString FormatReal(const QString& fmt, double value);

// Strings 2175-2178: bytes below 1 KB, KB below 1 MB, MB, and GB above 1 GB.
QString FormatDiskSpace(uint64_t bytes);
// String 2012 with the total in KB.
QString FormatMemory(uint64_t totalBytes);

// The first of 2008, 2009, 2010, 2011 that occurs is replaced everywhere by year.
QString ReplaceYear(const QString& text, int year);

uint64_t TotalPhysicalMemory();
// Free bytes available to the user on the file system of path; 0 when unknown.
uint64_t FreeDiskSpace(const QString& path);

}  // namespace tandrel
