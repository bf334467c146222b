// The string table: every user-visible text that code looks up by its
// resource number. A language pack replaces the table as a whole through
// SetStringOverride; without one the program's own texts are used.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace res {

// The maker's addresses, used by the About box and message 3018.
inline constexpr const char16_t* kMakerWeb = u"https://www.pellucor.example/";
inline constexpr const char16_t* kMakerMail = u"mailto:support@pellucor.example";

// The text of string id: the language pack's when one is in use, else the program's own.
std::u16string LoadString(unsigned id);
// The program's own text of string id; empty for an unknown id.
std::u16string OwnString(unsigned id);
// Installs (or, with an empty function, removes) the language pack's lookup. The
// function answers false for an id it does not carry; the own text is used then.
void SetStringOverride(std::function<bool(unsigned id, std::u16string& text)> lookup);
// Every id of the own table, in increasing order.
const std::vector<unsigned>& OwnStringIds();

}  // namespace res
