// Loading, checking and installing the language pack.
#include "wizard/LanguagePack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "res/Strings.h"
#include "wizard/ProgramIcon.h"
#include "wizard/QtText.h"
#include "wizard/UiHooks.h"

namespace {

// The pack's text of string id, or false when it does not carry it.
bool PackString(const QTranslator& translator, unsigned id, std::u16string& text) {
  const QByteArray own = tandrel::ToQ(res::OwnString(id)).toUtf8();
  const QByteArray number = QByteArray::number(id);
  const QString translated = translator.translate("Strings", own.constData(), number.constData());
  if (translated.isEmpty()) return false;
  text = tandrel::FromQ(translated);
  return true;
}

}  // namespace

CLanguagePack::~CLanguagePack() { Unload(); }

QString CLanguagePack::Version() const { return m_translator.translate("LanguagePack", "Version"); }

bool CLanguagePack::Load(const QString& programDir) {
  Unload();
  const QString path = QDir(programDir).filePath(QString::fromLatin1(kFileName));
  if (!QFileInfo::exists(path) || !m_translator.load(path)) return false;
  m_strDir = programDir;
  Install();
  const QString version = Version();
  if (!version.isEmpty() && version != QLatin1String(kProgramVersion)) {
    // The pack is still in use here, so the message is in its own words.
    tandrel::MessageBox(nullptr, tandrel::LoadQString(3018), QMessageBox::Information);
    Unload();
    return false;
  }
  return true;
}

void CLanguagePack::Install() {
  QCoreApplication::installTranslator(&m_translator);
  const QTranslator* translator = &m_translator;
  res::SetStringOverride([translator](unsigned id, std::u16string& text) { return PackString(*translator, id, text); });
  // An icon of the pack's own, named relative to its folder.
  const QString icon = m_translator.translate("LanguagePack", "Icon");
  if (!icon.isEmpty()) {
    const QString iconPath = QDir(m_strDir).filePath(icon);
    if (QFileInfo::exists(iconPath)) tandrel::SetProgramIconOverride(QIcon(iconPath));
  }
  m_bInstalled = true;
}

void CLanguagePack::Unload() {
  if (!m_bInstalled) return;
  QCoreApplication::removeTranslator(&m_translator);
  res::SetStringOverride({});
  tandrel::SetProgramIconOverride(QIcon());
  m_bInstalled = false;
}
