// Golden-text dump of a compiled chain, so that tests compare whole chains.
#include <cstdio>
#include <string>

#include "engine/UnicodeExpression.h"

namespace {

void AppendUnit(std::string& out, char16_t u) {
  switch (u) {
    case u'\\': out += "\\\\"; return;
    case u'"': out += "\\\""; return;
    case u'\r': out += "\\r"; return;
    case u'\n': out += "\\n"; return;
    case u'\t': out += "\\t"; return;
    default: break;
  }
  if (u >= 0x20 && u < 0x7F) {
    out.push_back(static_cast<char>(u));
  } else {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(u));
    out += buf;
  }
}

std::string Quoted(const std::u16string& s) {
  std::string out = "\"";
  for (char16_t u : s) AppendUnit(out, u);
  return out + "\"";
}

std::string Op(char16_t op) {
  if (op == 0) return "0";
  std::string out;
  AppendUnit(out, op);
  return out;
}

void DumpNode(std::string& out, const CUnicodeExpression* n, const char* indent) {
  out += indent;
  out += "op=" + Op(n->op) + " orig=" + Op(n->origOp) + " " + std::to_string(n->minCount) + ".." +
         std::to_string(n->maxCount);
  out += " set=" + std::to_string(n->isSet) + " any=" + std::to_string(n->anyChar) +
         " stop=" + std::to_string(n->stopAtLineEnd);
  out += " chars=" + Quoted(n->chars) + " source=" + Quoted(n->source) + "\n";
}

}  // namespace

std::string Dump(const CUnicodeExpression* head) {
  std::string out;
  for (const CUnicodeExpression* n = head; n != nullptr; n = n->next) {
    DumpNode(out, n, "");
    for (const CUnicodeExpression* a = n->alternative; a != nullptr; a = a->alternative) DumpNode(out, a, "  | ");
  }
  return out;
}
