// tandrel-cli's whole run: options, sample, evaluation, output, exit status.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// 0: at least one hit; 1: no hit; 2: an error, reported as one "tandrel-cli: "
// line on err with nothing written to out.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);
