// The process-wide settings source of the search library, and the one setting
// it reads itself: the UNIX-style reading of search expressions.
#include "search/Profile.h"

namespace {
const CSearchProfile* g_pSearchProfile = nullptr;
}  // namespace

void SetSearchProfile(const CSearchProfile* profile) { g_pSearchProfile = profile; }

const CSearchProfile* GetSearchProfile() { return g_pSearchProfile; }

bool IsUnixSyntax() {
  if (g_pSearchProfile == nullptr) return false;
  return g_pSearchProfile->GetProfileInt(u"Flags", u"UNIX RegExp", 0) != 0;
}
