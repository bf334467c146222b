// What the sheet asks of its pages beyond QWizardPage: a call whenever the page
// becomes the current one (after Next and after Back alike).
#pragma once

class CSheetPage {
public:
  virtual ~CSheetPage() = default;
  virtual void OnSetActive() {}
};
