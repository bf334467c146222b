// Loading, checking and installing the language pack.
#include "wizard/LanguagePack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cstdint>
#include <cstring>

#include "res/Strings.h"
#include "wizard/ProgramIcon.h"
#include "wizard/QtText.h"
#include "wizard/UiHooks.h"

namespace {

uint32_t Read32(const uchar* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// One message of the messages block, from offset to its end mark: every field
// lies inside the block, and a tag follows each field.
bool MessageFits(const uchar* block, uint32_t size, uint32_t offset) {
  enum : uchar { kEnd = 1, kTranslation = 3, kObsolete1 = 5, kSourceText = 6, kContext = 7, kComment = 8 };
  uint64_t pos = offset;
  while (pos < size) {
    const uchar tag = block[pos++];
    if (tag == kEnd) return true;
    if (tag != kTranslation && tag != kObsolete1 && tag != kSourceText && tag != kContext && tag != kComment) return true;  // lookups stop at an unknown tag
    if (size - pos < 4) return false;
    const uint64_t length = tag == kObsolete1 ? 0 : Read32(block + pos);
    pos += 4;
    // An odd translation length ends the lookup before it is used.
    if (tag == kTranslation && (length & 1)) return true;
    if (length >= size - pos) return false;  // a tag must follow the field
    pos += length;
  }
  return false;
}

// The context table: its size, a slot per hash and chains of
// length-prefixed names, each chain ended by a 0.
bool ContextsFit(const uchar* block, uint32_t size) {
  if (size < 2) return false;
  const uint32_t tableSize = uint32_t(block[0]) << 8 | block[1];
  if (tableSize == 0 || 2 + 2 * uint64_t(tableSize) > size) return false;
  const uint64_t chains = 2 + 2 * uint64_t(tableSize);
  for (uint32_t i = 0; i < tableSize; ++i) {
    const uint32_t slot = uint32_t(block[2 + 2 * i]) << 8 | block[3 + 2 * i];
    if (slot == 0) continue;
    uint64_t pos = chains + 2 * uint64_t(slot);
    for (;;) {
      if (pos >= size) return false;
      const uchar length = block[pos++];
      if (length == 0) break;
      pos += length;
    }
  }
  return true;
}

// Whether every lookup in a translation file stays inside it. QTranslator
// trusts the tables of a file that starts with the right mark, so a damaged
// pack would crash the program at its first text.
bool PackIsSound(const QByteArray& file) {
  static const uchar kMagic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                                   0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
  enum : uchar { kContexts = 0x2f, kHashes = 0x42, kMessages = 0x69, kNumerusRules = 0x88, kDependencies = 0x96, kLanguage = 0xa7 };
  const auto* data = reinterpret_cast<const uchar*>(file.constData());
  const uint64_t size = static_cast<uint64_t>(file.size());
  if (size < sizeof kMagic || std::memcmp(data, kMagic, sizeof kMagic) != 0) return false;
  const uchar* hashes = nullptr;
  const uchar* messages = nullptr;
  uint32_t hashesSize = 0;
  uint32_t messagesSize = 0;
  // The blocks follow each other to the end of the file, each whole and at most once.
  QList<uchar> seen;
  for (uint64_t pos = sizeof kMagic; pos < size;) {
    if (size - pos < 5) return false;
    const uchar tag = data[pos];
    const uint32_t length = Read32(data + pos + 1);
    pos += 5;
    if (length == 0 || length > size - pos || seen.contains(tag)) return false;
    seen << tag;
    const uchar* block = data + pos;
    switch (tag) {
      case kHashes: hashes = block; hashesSize = length; break;
      case kMessages: messages = block; messagesSize = length; break;
      case kContexts:
        if (!ContextsFit(block, length)) return false;
        break;
      case kNumerusRules: case kDependencies: case kLanguage: break;  // QTranslator checks these itself
      default: return false;
    }
    pos += length;
  }
  if (hashesSize % 8 != 0 || (hashesSize != 0 && messages == nullptr)) return false;
  for (uint32_t i = 0; i < hashesSize; i += 8) {
    if (!MessageFits(messages, messagesSize, Read32(hashes + i + 4))) return false;
  }
  return true;
}

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
  if (!QFileInfo::exists(path)) return false;
  // A pack that is damaged, or carries nothing, is no pack: the program's own texts, no message.
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || !PackIsSound(file.readAll())) return false;
  if (!m_translator.load(path) || m_translator.isEmpty()) return false;
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
