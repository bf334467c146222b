// The command line of tandrel-cli, read into options; any mistake is a CCliError.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class CCliError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class ESampleSource { StandardInput, Text, Json, File };

struct CCliOptions {
  bool help = false;
  bool version = false;
  bool caseSensitive = false;
  bool unixSyntax = false;
  bool json = false;
  bool explain = false;  // print what every item means instead of the report
  int32_t current = 0;
  std::optional<std::string> search;   // UTF-8, as given
  std::optional<std::string> replace;  // UTF-8, as given
  ESampleSource sampleSource = ESampleSource::StandardInput;
  std::string sample;  // the --sample text, the --sample-json literal or the --sample-file path
};

// args without the program name. --help and --version end the reading at once.
CCliOptions ParseCliOptions(const std::vector<std::string>& args);

extern const char* const kCliUsage;
