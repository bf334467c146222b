// tandrel-cli's entry point; the work is done in RunCli.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return RunCli(args, std::cin, std::cout, std::cerr);
}
