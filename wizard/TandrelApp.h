// CTandrelApp: the application. Its start-up chooses the texts (the language
// pack when it fits), sets up the settings, runs the wizard modally and ends
// the program when the wizard closes. No exception ever leaves an event
// handler into Qt's event loop: notify reports it instead.
#pragma once

#include <QApplication>

#include "wizard/CommandLine.h"
#include "wizard/LanguagePack.h"
#include "wizard/SettingsProfile.h"

class CTandrelApp : public QApplication {
  Q_OBJECT

public:
  CTandrelApp(int& argc, char** argv);
  ~CTandrelApp() override;

  bool notify(QObject* receiver, QEvent* event) override;

  // The whole start-up and the modal run; the program's exit status.
  int InitInstance(const CTandrelOptions& options);

  CLanguagePack m_hLangDll;

private:
  CSettingsProfile m_profile;
};
