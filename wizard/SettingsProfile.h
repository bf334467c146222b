// The wizard's settings: QSettings "Pellucor"/"Tandrel" (on Linux the file
// Pellucor/Tandrel.conf in the user's configuration folder), and the search
// library's view of them ("Flags"/"UNIX RegExp").
#pragma once

#include <QString>

#include "search/Profile.h"

namespace tandrel {

inline constexpr const char* kCompany = "Pellucor";
inline constexpr const char* kApplication = "Tandrel";
// The main product's options, read only.
inline constexpr const char* kMainProduct = "ZY32";

}  // namespace tandrel

class CSettingsProfile : public CSearchProfile {
public:
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override;
};
