// The few places where the wizard waits for the user outside its own windows:
// message boxes and the file-open dialog. Tests replace them with hooks that
// record or answer at once, so nothing blocks.
#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace tandrel {

// A message box with an OK button and the program's title ("Tandrel").
void MessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon = QMessageBox::Warning);
// The file-open dialog; an empty result means nothing was chosen.
QString GetOpenFileName(QWidget* parent, const QString& qtFilter);

// An empty function restores the real dialog.
void SetMessageBoxHook(std::function<void(const QString& text)> hook);
void SetOpenFileHook(std::function<QString(const QString& qtFilter)> hook);

}  // namespace tandrel
