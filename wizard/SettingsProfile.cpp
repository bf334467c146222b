// The search library's profile interface over the wizard's settings.
#include "wizard/SettingsProfile.h"

#include <QSettings>

#include "wizard/QtText.h"

int CSettingsProfile::GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const {
  QSettings settings(QString::fromLatin1(tandrel::kCompany), QString::fromLatin1(tandrel::kApplication));
  const QVariant value = settings.value(tandrel::ToQ(section) + u'/' + tandrel::ToQ(entry));
  bool ok = false;
  const int number = value.toInt(&ok);
  return ok ? number : defaultValue;
}
