#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  tsumiki::cli::CliContext ctx(std::cin, std::cout, std::cerr);
  return tsumiki::cli::RunCli(args, ctx);
}
