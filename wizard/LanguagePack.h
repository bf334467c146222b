// The language pack: a Qt translation file "tandrel.qm" next to the program
// that replaces every user-visible text as a whole: the string table (context
// "Strings", source text the program's own text, disambiguation its number),
// the windows' texts (their classes' contexts) and the menus. It may name an
// icon file of its own. It is used only when the version it carries
// (context "LanguagePack", source "Version") equals the program's; a pack
// that carries no version is used as it is.
#pragma once

#include <QIcon>
#include <QString>
#include <QTranslator>

class CLanguagePack {
public:
  static constexpr const char* kFileName = "tandrel.qm";
  static constexpr const char* kProgramVersion = "0.3.0.0";

  CLanguagePack() = default;
  CLanguagePack(const CLanguagePack&) = delete;
  CLanguagePack& operator=(const CLanguagePack&) = delete;
  ~CLanguagePack();

  // Looks for the pack in programDir. True when it is in use afterwards. On a
  // version mismatch message 3018, in the pack's own words, and the program's
  // own texts.
  bool Load(const QString& programDir);
  void Unload();
  bool IsLoaded() const { return m_bInstalled; }

  // The version the pack carries; empty when it carries none.
  QString Version() const;

private:
  void Install();

  QTranslator m_translator;
  QString m_strDir;
  bool m_bInstalled = false;
};
