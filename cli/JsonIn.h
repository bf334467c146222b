// Reading one JSON string literal (the --sample-json argument) into 16-bit
// units: each \uXXXX gives exactly that unit, lone surrogates included.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

class CJsonError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The whole of text must be one string literal, quotes included, with JSON
// white space around it at most. Throws CJsonError saying what is wrong.
std::u16string ParseJsonString(std::string_view text);
