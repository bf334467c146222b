// Reading the wizard's options.
#include "wizard/CommandLine.h"

#include "wizard/QtText.h"

bool ParseCommandLine(const QStringList& args, CTandrelOptions& options, QString& error) {
  for (qsizetype i = 0; i < args.size(); ++i) {
    QString name = args[i];
    std::optional<QString> inlineValue;
    if (name.startsWith(QLatin1String("--"))) {
      qsizetype eq = name.indexOf(u'=');
      if (eq > 0) {
        inlineValue = name.mid(eq + 1);
        name = name.left(eq);
      }
    }
    auto value = [&](QString& out) {
      if (inlineValue) {
        out = *inlineValue;
        return true;
      }
      if (i + 1 >= args.size()) {
        error = QStringLiteral("%1 needs a value").arg(name);
        return false;
      }
      out = args[++i];
      return true;
    };
    auto noValue = [&] {
      if (!inlineValue) return true;
      error = QStringLiteral("%1 takes no value").arg(name);
      return false;
    };
    QString text;
    if (name == QLatin1String("--search")) {
      if (!value(text)) return false;
      options.search = tandrel::FromQ(text);
    } else if (name == QLatin1String("--replace")) {
      if (!value(text)) return false;
      options.replace = tandrel::FromQ(text);
    } else if (name == QLatin1String("--sample-file")) {
      if (!value(options.sampleFile)) return false;
    } else if (name == QLatin1String("--screenshot")) {
      if (!value(options.screenshotDir)) return false;
    } else if (name == QLatin1String("--print-on-finish")) {
      if (!noValue()) return false;
      options.printOnFinish = true;
    } else if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
      options.help = true;
    } else if (name == QLatin1String("--version")) {
      options.version = true;
    } else {
      error = QStringLiteral("unknown option %1 (try --help)").arg(args[i]);
      return false;
    }
  }
  return true;
}

QString UsageText() {
  return QStringLiteral(
      "Usage: tandrel [--search EXPR] [--replace TEMPLATE] [--sample-file PATH] [--print-on-finish]\n"
      "\n"
      "The wizard for composing and trying out search and replace expressions.\n"
      "\n"
      "  --search EXPR       start with this search expression (an empty one keeps the saved one)\n"
      "  --replace TEMPLATE  start with this replace expression (an empty one keeps the saved one)\n"
      "  --sample-file PATH  load the sample text from this file, as Load from File does\n"
      "  --print-on-finish   at Finish, write {\"search\":...,\"replace\":...} to standard output\n"
      "  --screenshot DIR    save a picture of every page and of the About box in DIR, then cancel\n"
      "  --help, --version\n");
}
