// Shared by the wizard tests: a private settings folder per test, raw settings
// files as other programs write them, recorded message boxes, and reading the
// colours of a pane.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>

class CCompCtrl;

class CTestEnvironment {
public:
  // Redirects QSettings, the desktop and the data folders into a new temporary
  // folder and records message boxes instead of showing them.
  CTestEnvironment();
  ~CTestEnvironment();

  QString Path() const { return m_dir.path(); }
  // Writes Pellucor/<application>.conf as given (INI text).
  void WriteSettingsFile(const QString& application, const QString& iniText) const;
  QString ReadSettingsFile(const QString& application) const;

  QStringList m_aMessages;

private:
  QTemporaryDir m_dir;
};

// The characters of the pane (line breaks left out) whose colour is cr.
QString CharactersInColor(const CCompCtrl& pane, uint32_t cr);
// Their document positions.
QList<int> PositionsInColor(const CCompCtrl& pane, uint32_t cr);
