// The settings the search library reads, supplied by the program: the wizard
// from its settings, the command-line tool from its options.
#pragma once

#include <string_view>

class CSearchProfile {
public:
  virtual ~CSearchProfile() = default;
  virtual int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const = 0;
};

// Process-wide; nullptr (the default) answers every default value.
void SetSearchProfile(const CSearchProfile* profile);
const CSearchProfile* GetSearchProfile();

// "Flags"/"UNIX RegExp", default 0: true when non-zero.
bool IsUnixSyntax();
