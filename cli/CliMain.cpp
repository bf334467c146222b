// tandrel-cli: runs the evaluation road as the wizard would, on a sample from
// an argument, a JSON string, a file or standard input.
#include "cli/CliMain.h"

#include <iostream>
#include <iterator>
#include <new>

#include "cli/CliExplain.h"
#include "cli/CliOptions.h"
#include "cli/CliReport.h"
#include "cli/JsonIn.h"
#include "engine/TextUtil.h"
#include "engine/UnicodeExpression.h"
#include "search/EvalModel.h"
#include "search/Profile.h"
#include "search/TextFile.h"

namespace {

// The "UNIX RegExp" flag comes from --unix; everything else has its default.
class CCliProfile : public CSearchProfile {
public:
  explicit CCliProfile(bool unixSyntax) : m_unix(unixSyntax) {}
  int GetProfileInt(std::u16string_view section, std::u16string_view entry, int defaultValue) const override {
    if (section == u"Flags" && entry == u"UNIX RegExp") return m_unix ? 1 : 0;
    return defaultValue;
  }

private:
  bool m_unix;
};

// Installs a profile for the length of a run and takes it away again.
class CProfileScope {
public:
  explicit CProfileScope(const CSearchProfile* profile) { SetSearchProfile(profile); }
  ~CProfileScope() { SetSearchProfile(nullptr); }
  CProfileScope(const CProfileScope&) = delete;
  CProfileScope& operator=(const CProfileScope&) = delete;
};

std::u16string ReadSampleFile(const std::string& path) {
  std::u16string text;
  try {
    // Reading may fail already while the byte-order mark is looked for.
    CTextFileRead file(path);
    if (!file.IsOpen()) throw CCliError("cannot open '" + path + "'");
    file.ReadAll(text, u"\r\n");
  } catch (const CFileReadError& e) {
    throw CCliError("cannot read '" + path + "': " + e.what());
  }
  return text;
}

std::u16string ReadSample(const CCliOptions& options, std::istream& in) {
  switch (options.sampleSource) {
    case ESampleSource::Text:
      return FromUtf8(options.sample);
    case ESampleSource::Json:
      return ParseJsonString(options.sample);
    case ESampleSource::File:
      return ReadSampleFile(options.sample);
    case ESampleSource::StandardInput:
      break;
  }
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw CCliError("cannot read standard input");
  return FromUtf8(bytes);
}

int Evaluate(const CCliOptions& options, std::istream& in, std::ostream& out) {
  CEvalModel model;
  model.m_strSearch = FromUtf8(*options.search);
  if (options.replace) model.m_strReplace = FromUtf8(*options.replace);
  model.m_bCaseSensitive = options.caseSensitive ? 1 : 0;
  model.m_nCurHit = options.current;
  model.m_strSample = ReadSample(options, in);

  // As the wizard's Sample Text page does before it evaluates.
  g_bCaseSensitive = model.m_bCaseSensitive;
  const CCliProfile profile(options.unixSyntax);
  const CProfileScope scope(&profile);

  model.FindHits();
  const int32_t shift = model.BuildReplacedText();

  // Everything is built before anything is written, so an error leaves stdout empty.
  std::string text;
  if (options.json) {
    CJsonObject report = BuildJsonReport(model, shift);
    AddItemsToJsonReport(model, options.unixSyntax, report);
    text = report.Str();
    text += '\n';  // in the room Str() keeps for it: no second copy of a big report
  } else if (options.explain) {
    text = BuildExplanation(model, options.unixSyntax);
  } else {
    text = BuildHumanReport(model, shift, options.replace.has_value());
  }
  out << text;
  out.flush();
  return model.m_aHits.empty() ? 1 : 0;
}

// The error report is one line, whatever the message quotes.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
  try {
    const CCliOptions options = ParseCliOptions(args);
    if (options.help) {
      out << kCliUsage;
      return 0;
    }
    if (options.version) {
      out << "tandrel-cli " << TANDREL_VERSION << "\n";
      return 0;
    }
    return Evaluate(options, in, out);
  } catch (const CExpressionError& e) {
    err << "tandrel-cli: invalid search expression: " << OneLine(e.what()) << "\n";
  } catch (const std::bad_alloc&) {
    err << "tandrel-cli: out of memory\n";
  } catch (const std::exception& e) {
    err << "tandrel-cli: " << OneLine(e.what()) << "\n";
  }
  return 2;
}
