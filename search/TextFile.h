// Reading a whole text file into 16-bit text: byte-order marks, UTF-16 in both
// orders, UTF-8, and Windows-1252 for files without a mark; lines joined by the
// caller's line end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

// A read error of the underlying file while reading.
class CFileReadError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class CTextFileBase {
public:
  CTextFileBase() = default;
  CTextFileBase(const CTextFileBase&) = delete;
  CTextFileBase& operator=(const CTextFileBase&) = delete;
  virtual ~CTextFileBase();

  int32_t encoding = 0;  // 0 no mark (codePage), 1 UTF-16 BE, 2 UTF-16 LE, 3 UTF-8
  std::FILE* file = nullptr;
  bool ownsFile = false;
  bool atEnd = true;
  unsigned char readBuffer[1024] = {};
  int32_t bufferPos = -1;
  int32_t bufferFill = 0;
  int32_t codePage = 0;  // 0: the stand-in for the system code page, Windows-1252
};

class CTextFileRead : public CTextFileBase {
public:
  // A path that cannot be opened (missing, a directory, unreadable) leaves the
  // reader closed with atEnd set. Throws CFileReadError on a read error.
  explicit CTextFileRead(const std::string& path);
  // Reads an already open, seekable stream from its start; closes it at the
  // end when takeOwnership is true.
  CTextFileRead(std::FILE* openFile, bool takeOwnership);
  bool IsOpen() const;
  // Throws CFileReadError on a read error; text is then unchanged.
  bool ReadAll(std::u16string& text, const std::u16string& lineEnd);
  bool ReadLine(std::u16string& line);

  bool hasPending = false;
  bool firstLine = true;
  char16_t pendingUnit = 0;

private:
  void Start();
  unsigned char ReadByte();
  void DetectEncoding();
  char16_t ReadUnit();
};
