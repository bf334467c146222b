// The page factories of the two builder pages.
#include "builder/pages/BuilderPages.h"

#include "builder/pages/ReplacePage.h"
#include "builder/pages/SearchPage.h"
#include "wizard/TandrelSheet.h"

namespace tandrel {

void RegisterBuilderPages() {
  CTandrelSheet::SetPageFactory(CTandrelSheet::kSearchPage,
                                [](CTandrelSheet& sheet) -> QWizardPage* { return new CSearchPage(sheet); });
  CTandrelSheet::SetPageFactory(CTandrelSheet::kReplacePage,
                                [](CTandrelSheet& sheet) -> QWizardPage* { return new CReplacePage(sheet); });
}

}  // namespace tandrel
