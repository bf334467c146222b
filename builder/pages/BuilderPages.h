// Installs the Search Expression and Replace Expression pages into the sheet's
// page slots; call it before a sheet is constructed.
#pragma once

namespace tandrel {

void RegisterBuilderPages();

}  // namespace tandrel
