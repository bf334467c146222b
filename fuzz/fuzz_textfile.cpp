// Fuzz target: the text file reader on arbitrary bytes. The input's bytes are
// written to a temporary file, which is read by path as Load from File reads
// it (ReadAll with "\r\n"), again line by line, and once more with an empty
// line end. The three readings must agree: ReadAll is the lines joined by the
// line end, cut at the first zero unit, and no CR or LF survives anywhere but
// in the line ends.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "search/TextFile.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_textfile: %s\n", what);
  std::abort();
}

void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

const std::string& TempPath() {
  static const std::string path = [] {
    char name[] = "/tmp/tandrel_fuzz_textfile_XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) Fail("cannot create a temporary file");
    close(fd);
    std::atexit([] { unlink(TempPath().c_str()); });
    return std::string(name);
  }();
  return path;
}

void WriteFile(const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(TempPath().c_str(), "wb");
  if (f == nullptr) Fail("cannot write the temporary file");
  if (size > 0 && std::fwrite(data, 1, size, f) != size) Fail("short write");
  std::fclose(f);
}

std::u16string CutAtZero(const std::u16string& s) {
  const size_t z = s.find(u'\0');
  return z == std::u16string::npos ? s : s.substr(0, z);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteFile(data, size);

  std::u16string all = u"untouched";
  std::u16string bare = u"untouched";
  std::u16string joined;
  std::u16string concatenated;
  try {
    CTextFileRead reader(TempPath());
    Check(reader.IsOpen(), "a regular file did not open");
    Check(reader.ReadAll(all, u"\r\n"), "ReadAll failed on an open file");

    CTextFileRead byLines(TempPath());
    std::u16string line;
    size_t lines = 0;
    while (byLines.ReadLine(line)) {
      if (lines++ > 0) joined += u"\r\n";
      joined += line;
      concatenated += line;
      Check(lines <= size + 1, "more lines than bytes");
    }

    CTextFileRead noEnds(TempPath());
    Check(noEnds.ReadAll(bare, u""), "ReadAll failed on an open file");
  } catch (const CFileReadError&) {
    Fail("a read error on a regular file");
  }

  Check(all == CutAtZero(joined), "ReadAll is not the lines joined by the line end");
  Check(bare == CutAtZero(concatenated), "ReadAll with an empty line end is not the lines concatenated");
  Check(bare.find_first_of(u"\r\n") == std::u16string::npos, "a line break survived an empty line end");
  // Every unit comes from at least one byte; line ends add at most two units each.
  Check(bare.size() <= size, "more units than bytes");
  return 0;
}
