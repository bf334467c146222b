// The program's icon and the language pack's replacement for it.
#include "wizard/ProgramIcon.h"

namespace tandrel {
namespace {

QIcon& Override() {
  static QIcon icon;
  return icon;
}

}  // namespace

QIcon ProgramIcon() {
  if (!Override().isNull()) return Override();
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/tandrel32.png"), QSize(32, 32));
  icon.addFile(QStringLiteral(":/icons/tandrel.png"), QSize(64, 64));
  return icon;
}

void SetProgramIconOverride(const QIcon& icon) { Override() = icon; }

}  // namespace tandrel
