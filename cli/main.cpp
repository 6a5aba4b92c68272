#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/terminal_host.h"

namespace {

// A Ctrl-C while the program starts is a stop request too. The handler needs
// nothing but the C library, so it is installed from the executable's pre-init
// array: after the shared libraries are relocated and before their constructors,
// which take most of the start-up time.
void CatchInterruptsEarly(int /*argc*/, char** /*argv*/, char** /*env*/) {
  tsumiki::cli::TerminalHost::CatchInterruptsForProcess();
}

[[gnu::section(".preinit_array"),
  gnu::used]] void (*const kCatchInterruptsEarly)(int, char**, char**) = CatchInterruptsEarly;

}  // namespace

int main(int argc, char** argv) {
  tsumiki::cli::TerminalHost::CatchInterruptsForProcess();  // where pre-init arrays are not run
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  tsumiki::cli::CliContext ctx(std::cin, std::cout, std::cerr);
  return tsumiki::cli::RunCli(args, ctx);
}
