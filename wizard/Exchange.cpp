// The command-line stand-in for the main product's window.
#include "wizard/Exchange.h"

#include <utility>

#include "wizard/QtText.h"

CCommandLineExchange::CCommandLineExchange(std::optional<std::u16string> search, std::optional<std::u16string> replace,
                                           bool printOnFinish, std::ostream& out)
    : m_strSearch(std::move(search)), m_strReplace(std::move(replace)), m_bPrintOnFinish(printOnFinish), m_out(out) {}

bool CCommandLineExchange::ReadFields(std::u16string& search, std::u16string& replace) {
  if (!m_strSearch && !m_strReplace) return false;
  search = m_strSearch.value_or(std::u16string());
  replace = m_strReplace.value_or(std::u16string());
  return true;
}

bool CCommandLineExchange::WriteFields(const std::u16string& search, const std::u16string& replace) {
  if (!m_bPrintOnFinish) return false;
  m_out << "{\"search\":" << tandrel::JsonString(search) << ",\"replace\":" << tandrel::JsonString(replace) << "}\n";
  m_out.flush();
  return true;
}
