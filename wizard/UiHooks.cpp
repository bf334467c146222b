// Message boxes and the file-open dialog, with the hooks tests install.
#include "wizard/UiHooks.h"

#include <QFileDialog>
#include <utility>

#include "wizard/QtText.h"

namespace tandrel {
namespace {

std::function<void(const QString&)>& MessageHook() {
  static std::function<void(const QString&)> hook;
  return hook;
}

std::function<QString(const QString&)>& OpenFileHook() {
  static std::function<QString(const QString&)> hook;
  return hook;
}

}  // namespace

void MessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
  if (MessageHook()) {
    MessageHook()(text);
    return;
  }
  QMessageBox box(icon, LoadQString(57344), text, QMessageBox::Ok, parent);
  box.exec();
}

QString GetOpenFileName(QWidget* parent, const QString& qtFilter) {
  if (OpenFileHook()) return OpenFileHook()(qtFilter);
  // The file and its folder must exist; Qt never changes the current directory.
  return QFileDialog::getOpenFileName(parent, QString(), QString(), qtFilter);
}

void SetMessageBoxHook(std::function<void(const QString&)> hook) { MessageHook() = std::move(hook); }
void SetOpenFileHook(std::function<QString(const QString&)> hook) { OpenFileHook() = std::move(hook); }

}  // namespace tandrel
