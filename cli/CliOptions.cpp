// Reading tandrel-cli's command line.
#include "cli/CliOptions.h"

#include <charconv>

const char* const kCliUsage =
    "usage: tandrel-cli [--case-sensitive] [--unix] [--json | --explain] [--current N] --search EXPR\n"
    "                   [--replace TEMPLATE] [--sample TEXT | --sample-json JSONSTRING | --sample-file PATH]\n"
    "\n"
    "Searches a sample text with a Tandrel search expression, replaces every hit\n"
    "with a replace template and prints the hits and the replaced text.\n"
    "\n"
    "  --search EXPR            the search expression (required)\n"
    "  --replace TEMPLATE       the replace template\n"
    "  --sample TEXT            the sample text, UTF-8\n"
    "  --sample-json STRING     the sample text as a JSON string literal, quotes included;\n"
    "                           \\uXXXX gives exactly that 16-bit unit\n"
    "  --sample-file PATH       read the sample text from a file (UTF-16, UTF-8 with a\n"
    "                           byte-order mark, or Windows-1252); lines joined by CR LF\n"
    "                           (without a sample option the sample is read from standard input, UTF-8)\n"
    "  --case-sensitive         match case-sensitively (the default is case-insensitive)\n"
    "  --unix                   read the search expression in the UNIX style\n"
    "  --current N              the current hit for the shift (default 0)\n"
    "  --json                   print one JSON object (ASCII only)\n"
    "  --explain                print one line per search and replace item: its text,\n"
    "                           its code and what it means (instead of the report)\n"
    "  --help                   print this help\n"
    "  --version                print the version\n"
    "\n"
    "Exit status: 0 when there is at least one hit, 1 when there is none, 2 on an error.\n";

namespace {

int32_t ParseCurrent(const std::string& text) {
  int32_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;  // from_chars takes no '+'
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || ptr != last) {
    throw CCliError("--current needs a whole number in the 32-bit range, not '" + text + "'");
  }
  return value;
}

}  // namespace

CCliOptions ParseCliOptions(const std::vector<std::string>& args) {
  CCliOptions options;
  bool haveSample = false;
  bool haveCurrent = false;

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw CCliError("option " + arg + " needs a value");
      return args[++i];
    };
    auto setOnce = [&](std::optional<std::string>& field) {
      if (field) throw CCliError("option " + arg + " is given more than once");
      field = value();
    };
    auto setSample = [&](ESampleSource source) {
      if (haveSample) throw CCliError("give only one of --sample, --sample-json and --sample-file");
      haveSample = true;
      options.sampleSource = source;
      options.sample = value();
    };

    if (arg == "--help") {
      options.help = true;
      return options;
    }
    if (arg == "--version") {
      options.version = true;
      return options;
    }
    if (arg == "--case-sensitive") {
      options.caseSensitive = true;
    } else if (arg == "--unix") {
      options.unixSyntax = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--current") {
      if (haveCurrent) throw CCliError("option --current is given more than once");
      haveCurrent = true;
      options.current = ParseCurrent(value());
    } else if (arg == "--search") {
      setOnce(options.search);
    } else if (arg == "--replace") {
      setOnce(options.replace);
    } else if (arg == "--sample") {
      setSample(ESampleSource::Text);
    } else if (arg == "--sample-json") {
      setSample(ESampleSource::Json);
    } else if (arg == "--sample-file") {
      setSample(ESampleSource::File);
    } else if (arg.size() > 1 && arg[0] == '-') {
      throw CCliError("unknown option '" + arg + "' (see --help)");
    } else {
      throw CCliError("unexpected argument '" + arg + "' (see --help)");
    }
  }
  if (!options.search) throw CCliError("missing --search EXPR (see --help)");
  if (options.json && options.explain) throw CCliError("give only one of --json and --explain");
  return options;
}
