// tandrel: the wizard program.
#include <QStringList>
#include <cstdio>
#include <iostream>

#include "builder/pages/BuilderPages.h"
#include "wizard/CommandLine.h"
#include "wizard/DisplayCheck.h"
#include "wizard/TandrelApp.h"

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  CTandrelOptions options;
  QString error;
  if (!ParseCommandLine(args, options, error)) {
    std::cerr << "tandrel: " << error.toLocal8Bit().constData() << '\n';
    return 2;
  }
  if (options.help) {
    std::cout << UsageText().toLocal8Bit().constData();
    return 0;
  }
  if (options.version) {
    std::cout << "tandrel " << CLanguagePack::kProgramVersion << '\n';
    return 0;
  }
  const std::string noDisplay = tandrel::NoDisplayMessage();
  if (!noDisplay.empty()) {
    std::cerr << noDisplay << '\n';
    return 1;
  }
  // Before the sheet is constructed: its Search and Replace Expression pages.
  tandrel::RegisterBuilderPages();
  CTandrelApp app(argc, argv);
  return app.InitInstance(options);
}
