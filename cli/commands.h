#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "cli/progress_line.h"
#include "ui/host.h"
#include "workbook/writer_lock.h"

namespace CLI {
class App;
}

namespace tsumiki::cli {

class TerminalHost;

// Exit statuses of the command line.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a failure, a refusal, or a stopped run
inline constexpr int kExitUsage = 2;    // the command line itself is wrong
inline constexpr int kExitAborted = 3;  // stopped by Ctrl-C or SIGTERM; nothing saved

// Everything a command runs with. The streams are the program's own in `main`,
// string streams in the tests; the host is the terminal's, or one a test installs.
struct CliContext {
  CliContext(std::istream& in_stream, std::ostream& out_stream, std::ostream& err_stream)
      : in(in_stream), out(out_stream), err(err_stream) {}

  CliOptions options;
  std::istream& in;
  std::ostream& out;  // results: the roster, the totals, settings
  std::ostream& err;  // messages, status texts, the progress line

  // Set while a command runs. A test may install its own host before RunCli;
  // otherwise RunCli makes a TerminalHost from the options.
  Host* host = nullptr;
  // The terminal host when there is one (null under a test host).
  TerminalHost* terminal = nullptr;
  // Where a long command draws its live line; never null while a command runs.
  ProgressLine* progress = nullptr;

  // The workbook's lock file, held from before the workbook is read until the
  // command has ended, by every command that may save it.
  std::optional<workbook::WriterLock> writer_lock;
  // Set when Ctrl-C (or SIGTERM) reached the command: from then on nothing is
  // saved and the command ends with kExitAborted, unless the save had already
  // begun (it is finished, said so, and the command succeeds).
  bool interrupted = false;
  // The workbook was saved by this command.
  bool saved = false;

  // The chosen command, set by its subcommand's callback while the line is parsed
  // and run by RunCli afterwards, so that global options after the command count.
  std::function<int()> command;
};

// Registers `run` as what the subcommand does when the command line names it.
// A command file does:
//
//   void AddShowCommand(CLI::App& app, CliContext& ctx) {
//     CLI::App* sub = app.add_subcommand("show", "勤務表を表示します");
//     auto args = std::make_shared<ShowArgs>();
//     sub->add_flag(...);
//     OnRun(sub, ctx, [&ctx, args] { return RunShow(ctx, *args); });
//   }
//
// with `int RunShow(CliContext&, const ShowArgs&)` testable on its own.
void OnRun(CLI::App* subcommand, CliContext& ctx, std::function<int()> run);

// Command adders, one per cli/command_<name>.cpp. Add a declaration here and one
// call in AddCommands (commands.cpp).
using CommandAdder = std::function<void(CLI::App&, CliContext&)>;
void AddInitCommand(CLI::App& app, CliContext& ctx);
void AddShowCommand(CLI::App& app, CliContext& ctx);
void AddClearCommand(CLI::App& app, CliContext& ctx);
void AddTotalsCommand(CLI::App& app, CliContext& ctx);
void AddModeCommand(CLI::App& app, CliContext& ctx);
void AddSettingsCommand(CLI::App& app, CliContext& ctx);
void AddReadjustCommand(CLI::App& app, CliContext& ctx);
void AddExplainCommand(CLI::App& app, CliContext& ctx);
void AddConditionsCommand(CLI::App& app, CliContext& ctx);
void AddHelpCommand(CLI::App& app, CliContext& ctx);
void AddCreateCommand(CLI::App& app, CliContext& ctx);
void AddCheckCommand(CLI::App& app, CliContext& ctx);
void AddExportCommand(CLI::App& app, CliContext& ctx);
// `tsumiki init PATH` and `tsumiki show`, runnable on their own.
int RunInit(CliContext& ctx, const std::string& path);
int RunShow(CliContext& ctx);

// Registers every command of the program.
void AddCommands(CLI::App& app, CliContext& ctx);

// Parses `args` (without the program name) and runs the chosen command. Returns
// the exit status. A WorkbookError becomes its Japanese message on ctx.err and
// status 1; a usage error a Japanese hint and status 2.
int RunCli(const std::vector<std::string>& args, CliContext& ctx,
           const CommandAdder& add_commands = AddCommands);

}  // namespace tsumiki::cli
