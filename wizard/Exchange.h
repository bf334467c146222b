// The exchange of the two expressions with the main product's window: read
// both fields at start, write both at Finish. There is no such window here;
// the command line stands in for it.
#pragma once

#include <optional>
#include <ostream>
#include <string>

class CMainWndExchange {
public:
  virtual ~CMainWndExchange() = default;
  // Fills both fields (an absent field reads empty); false when there is no window.
  virtual bool ReadFields(std::u16string& search, std::u16string& replace) = 0;
  // Hands both fields over; false when there is no window.
  virtual bool WriteFields(const std::u16string& search, const std::u16string& replace) = 0;
};

// No window of the main product: nothing to read, nothing handed over.
class CNoMainWindow : public CMainWndExchange {
public:
  bool ReadFields(std::u16string&, std::u16string&) override { return false; }
  bool WriteFields(const std::u16string&, const std::u16string&) override { return false; }
};

// --search / --replace give the fields at start; --print-on-finish writes the
// final expressions at Finish as one JSON object {"search":...,"replace":...}.
class CCommandLineExchange : public CMainWndExchange {
public:
  CCommandLineExchange(std::optional<std::u16string> search, std::optional<std::u16string> replace, bool printOnFinish,
                       std::ostream& out);
  bool ReadFields(std::u16string& search, std::u16string& replace) override;
  bool WriteFields(const std::u16string& search, const std::u16string& replace) override;

private:
  std::optional<std::u16string> m_strSearch;
  std::optional<std::u16string> m_strReplace;
  bool m_bPrintOnFinish;
  std::ostream& m_out;
};
