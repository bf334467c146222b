// Start-up and the modal run of the wizard.
#include "wizard/TandrelApp.h"

#include <exception>
#include <iostream>

#include "search/Profile.h"
#include "wizard/Exchange.h"
#include "wizard/ProgramIcon.h"
#include "wizard/QtText.h"
#include "wizard/SamplePage.h"
#include "wizard/Screenshots.h"
#include "wizard/TandrelSheet.h"
#include "wizard/UiHooks.h"

CTandrelApp::CTandrelApp(int& argc, char** argv) : QApplication(argc, argv) {
  setOrganizationName(QString::fromLatin1(tandrel::kCompany));
  setApplicationName(QString::fromLatin1(tandrel::kApplication));
  setApplicationVersion(QString::fromLatin1(CLanguagePack::kProgramVersion));
}

CTandrelApp::~CTandrelApp() { SetSearchProfile(nullptr); }

bool CTandrelApp::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    tandrel::MessageBox(activeWindow(), tr("Tandrel could not finish what it was doing: %1").arg(QString::fromLocal8Bit(error.what())));
  } catch (...) {
    tandrel::MessageBox(activeWindow(), tr("Tandrel could not finish what it was doing."));
  }
  return false;
}

int CTandrelApp::InitInstance(const CTandrelOptions& options) {
  // The language pack next to the program, when its version fits.
  m_hLangDll.Load(applicationDirPath());
  setApplicationDisplayName(tandrel::LoadQString(57344));
  setWindowIcon(tandrel::ProgramIcon());

  // The settings: QSettings "Pellucor"/"Tandrel"; the search library reads its flags there too.
  SetSearchProfile(&m_profile);

  CCommandLineExchange exchange(options.search, options.replace, options.printOnFinish, std::cout);
  {
    CTandrelSheet sheet(&exchange);
    if (!options.sampleFile.isEmpty()) sheet.SamplePage()->LoadFile(options.sampleFile);
    if (!options.screenshotDir.isEmpty()) tandrel::ScheduleScreenshots(sheet, options.screenshotDir);
    sheet.exec();
  }  // the sheet's destructor stores the settings
  return 0;
}
