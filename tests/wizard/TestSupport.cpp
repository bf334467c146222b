// Test environment and pane inspection for the wizard tests.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

#include "wizard/CompCtrl.h"
#include "wizard/UiHooks.h"

CTestEnvironment::CTestEnvironment() {
  QVERIFY(m_dir.isValid());
  const QString config = m_dir.filePath(QStringLiteral("config"));
  QDir().mkpath(config);
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
  qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
  qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
  qputenv("HOME", m_dir.path().toLocal8Bit());
  tandrel::SetMessageBoxHook([this](const QString& text) { m_aMessages << text; });
}

CTestEnvironment::~CTestEnvironment() {
  tandrel::SetMessageBoxHook({});
  tandrel::SetOpenFileHook({});
}

void CTestEnvironment::WriteSettingsFile(const QString& application, const QString& iniText) const {
  const QString folder = m_dir.filePath(QStringLiteral("config/Pellucor"));
  QDir().mkpath(folder);
  QFile file(folder + u'/' + application + QStringLiteral(".conf"));
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(iniText.toUtf8());
}

QString CTestEnvironment::ReadSettingsFile(const QString& application) const {
  QFile file(m_dir.filePath(QStringLiteral("config/Pellucor/") + application + QStringLiteral(".conf")));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(file.readAll());
}

QList<int> PositionsInColor(const CCompCtrl& pane, uint32_t cr) {
  const QColor wanted = CCompCtrl::ColorFromCOLORREF(cr);
  QList<int> positions;
  const QTextDocument* doc = pane.document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (int i = 0; i < block.length() - 1; ++i) {
      QTextCursor cursor(block);
      cursor.setPosition(block.position() + i + 1);  // the format of the character before
      if (cursor.charFormat().foreground().color() == wanted) positions << block.position() + i;
    }
  }
  return positions;
}

QString CharactersInColor(const CCompCtrl& pane, uint32_t cr) {
  QString text;
  for (int p : PositionsInColor(pane, cr)) text += pane.document()->characterAt(p);
  return text;
}
