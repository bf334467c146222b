// Reading a whole text file into 16-bit text. The encoding comes from a
// byte-order mark; files without one are Windows-1252. Lines end at CR, LF or
// CR LF and are joined again with the caller's line end.
#include "search/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace {

constexpr int32_t kBufferSize = 1024;
constexpr char16_t kCR = 0x000D;
constexpr char16_t kLF = 0x000A;
constexpr char16_t kReplacementChar = 0xFFFD;

// 0x80..0x9F of Windows-1252. The five bytes it leaves undefined give the
// code point of the same number, as the system conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t DecodeCp1252(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kCp1252High[b - 0x80];
  return b;
}

// Opens for reading. Only a regular file counts: a directory, a device that
// never ends (/dev/zero) or a pipe that blocks is a path that cannot be
// opened. The open itself must not wait for a pipe's writer.
std::FILE* OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  const int flags = fcntl(fd, F_GETFL);
  if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  std::FILE* f = fdopen(fd, "rb");
  if (f == nullptr) ::close(fd);
  return f;
}

}  // namespace

CTextFileBase::~CTextFileBase() {
  if (file != nullptr && ownsFile) std::fclose(file);
  file = nullptr;
}

CTextFileRead::CTextFileRead(const std::string& path) {
  file = OpenForReading(path);
  ownsFile = true;
  Start();
}

CTextFileRead::CTextFileRead(std::FILE* openFile, bool takeOwnership) {
  file = openFile;
  ownsFile = takeOwnership;
  Start();
}

void CTextFileRead::Start() {
  firstLine = true;
  atEnd = !IsOpen();
  bufferPos = -1;
  hasPending = false;
  DetectEncoding();
}

bool CTextFileRead::IsOpen() const { return file != nullptr; }

unsigned char CTextFileRead::ReadByte() {
  if (hasPending) {
    hasPending = false;
    return static_cast<unsigned char>(pendingUnit & 0xFF);
  }
  if (bufferPos + 1 == 0 || bufferPos + 1 == kBufferSize) {
    const size_t got = std::fread(readBuffer, 1, kBufferSize, file);
    if (got < static_cast<size_t>(kBufferSize) && std::ferror(file)) {
      throw CFileReadError("the file could not be read");
    }
    if (got == 0) {
      atEnd = true;
      return 0;
    }
    bufferFill = static_cast<int32_t>(got);
    bufferPos = 0;
  } else {
    bufferPos += 1;
    // At or past the fill: a short buffer is the last one.
    if (bufferPos >= bufferFill) {
      atEnd = true;
      return 0;
    }
  }
  return readBuffer[bufferPos];
}

void CTextFileRead::DetectEncoding() {
  if (!IsOpen()) return;
  const unsigned char b0 = ReadByte();
  const unsigned char b1 = ReadByte();
  if (b0 == 0xFE && b1 == 0xFF) {
    encoding = 1;
    return;
  }
  if (b0 == 0xFF && b1 == 0xFE) {
    encoding = 2;
    return;
  }
  if (b0 == 0xEF && b1 == 0xBB && ReadByte() == 0xBF) {
    encoding = 3;
    return;
  }
  encoding = 0;
  hasPending = false;
  if (std::fseek(file, 0, SEEK_SET) != 0) throw CFileReadError("the file could not be rewound");
  bufferPos = -1;
  bufferFill = 0;
  firstLine = true;
  atEnd = false;
}

char16_t CTextFileRead::ReadUnit() {
  if (hasPending) {
    hasPending = false;
    return pendingUnit;
  }
  if (encoding == 1 || encoding == 2) {
    const unsigned b0 = ReadByte();
    const unsigned b1 = ReadByte();
    return static_cast<char16_t>(encoding == 1 ? b0 * 256 + b1 : b1 * 256 + b0);
  }
  const unsigned b = ReadByte();
  if (b < 0x80) return static_cast<char16_t>(b);
  if ((b & 0xE0) == 0xC0) {
    const unsigned c = ReadByte();
    return static_cast<char16_t>((b & 0x1F) * 64 + (c & 0x3F));
  }
  if ((b & 0xF0) == 0xE0) {
    const unsigned c = ReadByte();
    const unsigned d = ReadByte();
    return static_cast<char16_t>((b & 0x0F) * 4096 + (c & 0x3F) * 64 + (d & 0x3F));
  }
  // A lone continuation byte or the lead of a longer sequence stands alone.
  return kReplacementChar;
}

bool CTextFileRead::ReadLine(std::u16string& line) {
  if (atEnd) return false;
  const bool bytes = encoding == 0;
  auto next = [&]() -> char16_t { return bytes ? static_cast<char16_t>(ReadByte()) : ReadUnit(); };

  char16_t u = next();
  if (firstLine) {
    firstLine = false;
  } else {
    // Skip the break that ended the previous line: CR LF, CR or LF.
    if (u == kCR) u = next();
    if (u == kLF) u = next();
  }

  std::u16string collected;
  while (u != kCR && u != kLF) {
    if (atEnd) break;  // the 0 given at the end of the file is not stored
    collected.push_back(u);
    u = next();
  }
  pendingUnit = u;
  hasPending = true;

  if (bytes) {
    // A zero byte ends the line's text, as the system conversion of a
    // zero-terminated byte string would.
    const size_t zero = collected.find(char16_t(0));
    if (zero != std::u16string::npos) collected.resize(zero);
    for (char16_t& c : collected) c = DecodeCp1252(static_cast<unsigned char>(c));
  }
  line = std::move(collected);
  return true;
}

bool CTextFileRead::ReadAll(std::u16string& text, const std::u16string& lineEnd) {
  if (!IsOpen()) return false;
  std::u16string result;
  struct stat st {};
  if (fstat(fileno(file), &st) == 0 && st.st_size > 0) {
    const auto length = static_cast<unsigned long long>(st.st_size);
    result.reserve((encoding == 1 || encoding == 2 ? length / 2 : length) + 2);
  }
  std::u16string line;
  bool first = true;
  while (!atEnd) {
    if (!ReadLine(line)) break;
    if (!first) result += lineEnd;
    first = false;
    result += line;
  }
  const size_t zero = result.find(char16_t(0));
  if (zero != std::u16string::npos) result.resize(zero);
  text = std::move(result);
  return true;
}
