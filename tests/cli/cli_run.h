#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "support/scripted_host.h"

namespace tsumiki::cli {

// Runs the command line in-process on a scripted host and keeps what it wrote.
struct CliRun {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  testing::ScriptedHost host;
  CliContext ctx{in, out, err};
  int status = -1;

  explicit CliRun(std::string input = {}) : in(std::move(input)) { ctx.host = &host; }

  int Run(const std::vector<std::string>& args, const CommandAdder& add = AddCommands) {
    status = RunCli(args, ctx, add);
    return status;
  }
};

}  // namespace tsumiki::cli
