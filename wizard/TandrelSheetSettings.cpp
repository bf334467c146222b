// The sheet's settings: the profile values, the main product's colour options
// and the exchange at start.
#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <climits>
#include <cstdio>

#include "wizard/QtText.h"
#include "wizard/SettingsProfile.h"
#include "wizard/TandrelSheet.h"
#include "wizard/UiHooks.h"

namespace {

QSettings OwnSettings() {
  return QSettings(QString::fromLatin1(tandrel::kCompany), QString::fromLatin1(tandrel::kApplication));
}

std::u16string ReadProfileString(QSettings& settings, const QString& key, const std::u16string& current) {
  const QVariant value = settings.value(key);
  if (!value.isValid()) return current;
  // A hand-edited value with a comma in it reads back as a list.
  if (value.typeId() == QMetaType::QStringList) return tandrel::FromQ(value.toStringList().join(QStringLiteral(", ")));
  return tandrel::FromQ(value.toString());
}

int32_t ReadProfileInt(QSettings& settings, const QString& key, int32_t current) {
  bool ok = false;
  const int value = settings.value(key).toInt(&ok);
  return ok ? value : current;
}

// Decimal text as the main product writes it: ASCII white space, a sign, digits;
// reading stops at the first other character, no digits give 0, and the value
// is held to the 32-bit range.
int32_t DecimalValue(const QString& text) {
  qsizetype i = 0;
  auto isSpace = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i].unicode() - u'0');
    if (value > static_cast<long long>(INT32_MAX) + 1) value = static_cast<long long>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return static_cast<int32_t>(value);
}

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A settings file with lines QSettings cannot read: what it could read is in
// use, the rest has its defaults. Saving rewrites the whole file and drops the
// unreadable lines, so the file as it was is kept beside it now, and the
// user is told.
void ReportUnreadableSettings(QSettings& settings) {
  (void)settings.allKeys();  // reads every section
  if (settings.status() != QSettings::FormatError) return;
  const QString path = settings.fileName();
  const QString copy = path + QStringLiteral(".bak");
  QFile::remove(copy);
  QString text = QCoreApplication::translate("CTandrelSheet",
                                             "Parts of the settings in %1 could not be read; they have their defaults.")
                     .arg(path);
  if (QFile::copy(path, copy))
    text += QStringLiteral("\n\n") + QCoreApplication::translate("CTandrelSheet", "The file as it was is kept in %1.").arg(copy);
  std::fprintf(stderr, "tandrel: %s\n", qPrintable(text.section(u'\n', 0, 0)));
  tandrel::MessageBox(nullptr, text);
}

}  // namespace

void CTandrelSheet::LoadSettings() {
  ReadOptionColor(QStringLiteral("String Color"), &m_crString);
  ReadOptionColor(QStringLiteral("File Color"), &m_crFile);
  {
    QSettings settings = OwnSettings();
    m_strSearch = ReadProfileString(settings, QStringLiteral("Settings/Search Expression"), m_strSearch);
    m_strReplace = ReadProfileString(settings, QStringLiteral("Settings/Replace Expression"), m_strReplace);
    m_bCaseSensitive = ReadProfileInt(settings, QStringLiteral("Settings/Case Sensitive"), m_bCaseSensitive);
    ReportUnreadableSettings(settings);
  }
  ReadMainWindowExpressions(m_strSearch, m_strReplace);
}

void CTandrelSheet::StoreSettings() {
  QSettings settings = OwnSettings();
  const QByteArray before = FileBytes(settings.fileName());
  settings.setValue(QStringLiteral("Settings/Search Expression"), tandrel::ToQ(m_strSearch));
  settings.setValue(QStringLiteral("Settings/Replace Expression"), tandrel::ToQ(m_strReplace));
  settings.setValue(QStringLiteral("Settings/Case Sensitive"), m_bCaseSensitive);
  settings.sync();
  // Unreadable lines met while writing give FormatError, which also hides a
  // failed write; the file then tells: a written file is a new one.
  const QSettings::Status status = settings.status();
  if (status == QSettings::NoError) return;
  if (status == QSettings::FormatError && FileBytes(settings.fileName()) != before) return;
  // The user's expressions would be lost without a word: say so, and show
  // them so that they can still be copied.
  const QString text =
      QCoreApplication::translate("CTandrelSheet",
                                  "The settings could not be saved to %1.\n\nSearch Expression: %2\nReplace Expression: %3")
          .arg(settings.fileName(), tandrel::ToQ(m_strSearch), tandrel::ToQ(m_strReplace));
  std::fprintf(stderr, "tandrel: %s\n", qPrintable(text.section(u'\n', 0, 0)));
  tandrel::MessageBox(nullptr, text);
}

bool CTandrelSheet::ReadOptionColor(const QString& valueName, uint32_t* pColor) {
  QSettings options(QString::fromLatin1(tandrel::kCompany), QString::fromLatin1(tandrel::kMainProduct));
  options.beginGroup(QStringLiteral("Options"));
  const QVariant value = options.value(valueName);
  // Only text counts; a number stored in another form is ignored.
  if (!value.isValid() || value.typeId() != QMetaType::QString) return false;
  QString text = value.toString();
  // As 16-bit text with its terminator the value may take 260 bytes at most.
  if (2 * (text.size() + 1) > 260) return false;
  const qsizetype nul = text.indexOf(QChar(u'\0'));
  if (nul >= 0) text.truncate(nul);
  *pColor = static_cast<uint32_t>(DecimalValue(text));
  return true;
}
