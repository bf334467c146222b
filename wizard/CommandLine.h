// The wizard's command line. --search and --replace stand in for the main
// product's fields at start, --print-on-finish for handing them back at Finish.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

struct CTandrelOptions {
  std::optional<std::u16string> search;
  std::optional<std::u16string> replace;
  bool printOnFinish = false;
  QString sampleFile;
  QString screenshotDir;  // pictures of every page and the About box, then Cancel
  bool help = false;
  bool version = false;
};

// args without the program name. False with error set for an unknown option
// or a missing value.
bool ParseCommandLine(const QStringList& args, CTandrelOptions& options, QString& error);
QString UsageText();
