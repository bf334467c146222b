// tandrel-strings-ts: writes the program's string table as a Qt translation
// source (context "Strings", the own text as source, its number as the
// disambiguation), to be merged with lupdate's output into a language pack.
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTextStream>

#include "res/Strings.h"
#include "wizard/QtText.h"

namespace {

QString Xml(const QString& text) { return text.toHtmlEscaped(); }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  const QString language = args.size() > 1 ? args[1] : QStringLiteral("en");
  QFile out;
  if (!out.open(stdout, QIODevice::WriteOnly)) return 1;
  QTextStream ts(&out);
  ts << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\" language=\"" << Xml(language)
     << "\">\n<context>\n    <name>LanguagePack</name>\n"
     << "    <message><source>Version</source><extracomment>the program version this pack is made for: 0.3.0.0</extracomment>"
        "<translation type=\"unfinished\"></translation></message>\n"
     << "    <message><source>Icon</source><extracomment>optional: the name of an icon file next to the pack</extracomment>"
        "<translation type=\"unfinished\"></translation></message>\n"
     << "</context>\n<context>\n    <name>Strings</name>\n";
  for (unsigned id : res::OwnStringIds()) {
    ts << "    <message><source>" << Xml(tandrel::ToQ(res::OwnString(id))) << "</source><comment>" << id
       << "</comment><translation type=\"unfinished\"></translation></message>\n";
  }
  ts << "</context>\n</TS>\n";
  return 0;
}
