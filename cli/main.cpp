#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal_host.h"

int main(int argc, char** argv) {
  // Before anything else: a Ctrl-C while the program starts is a stop request too.
  tsumiki::cli::TerminalHost::CatchInterruptsForProcess();
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  tsumiki::cli::CliContext ctx(std::cin, std::cout, std::cerr);
  return tsumiki::cli::RunCli(args, ctx);
}
