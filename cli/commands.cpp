#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <exception>
#include <iostream>
#include <memory>

#include "cli/cli_texts.h"
#include "cli/parse_errors.h"
#include "cli/terminal_host.h"
#include "conditions/layout.h"
#include "ui/app_identity.h"
#include "workbook/workbook_error.h"

namespace tsumiki::cli {

void AddCommands(CLI::App& app, CliContext& ctx) {
  // One line per command, in the order the help lists them.
  AddInitCommand(app, ctx);
  AddShowCommand(app, ctx);
  AddCreateCommand(app, ctx);
  AddClearCommand(app, ctx);
  AddTotalsCommand(app, ctx);
  AddCheckCommand(app, ctx);
  AddExportCommand(app, ctx);
  AddModeCommand(app, ctx);
  AddSettingsCommand(app, ctx);
  AddReadjustCommand(app, ctx);
  AddExplainCommand(app, ctx);
  AddConditionsCommand(app, ctx);
  AddHelpCommand(app, ctx);
}

void OnRun(CLI::App* subcommand, CliContext& ctx, std::function<int()> run) {
  subcommand->callback([&ctx, run = std::move(run)] { ctx.command = run; });
}

namespace {

struct GlobalFlags {
  std::string seed;
  bool version = false;
  CLI::Option* workbook_option = nullptr;
  CLI::Option* seed_option = nullptr;
  CLI::Option* save_option = nullptr;
  CLI::Option* no_save_option = nullptr;
};

std::optional<std::uint64_t> ParseSeed(std::string_view text) {
  std::uint64_t seed = 0;
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), last, seed);
  if (text.empty() || ec != std::errc() || ptr != last) return std::nullopt;
  return seed;
}

// Headings of the help text in Japanese.
void JapaneseHelp(CLI::App& app) {
  app.set_help_flag("-h,--help", std::string(kHelpOptionHelp))->group(std::string(kGlobalGroup));
  auto formatter = app.get_formatter();
  formatter->label("Usage", "使い方");
  formatter->label("OPTIONS", std::string(kOptionsGroup));
  formatter->label("SUBCOMMAND", "コマンド");
  formatter->label("SUBCOMMANDS", "コマンド");
  formatter->label("Options", std::string(kOptionsGroup));
  formatter->label("Subcommands", "コマンド");
  formatter->label("Positionals", "引数");
  formatter->label("REQUIRED", "必須");
  formatter->label("Excludes", "同時指定不可");
  formatter->label("Needs", "必要");
  // The group of every command's own options (subcommands inherit it).
  app.option_defaults()->group(std::string(kOptionsGroup));
}

// Every command's help flag joins its other options (CLI11 files it under
// "Options" on its own).
void GroupHelpFlags(CLI::App& app) {
  for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) {
    if (CLI::Option* help = sub->get_help_ptr()) help->group(std::string(kOptionsGroup));
    GroupHelpFlags(*sub);
  }
}

void AddGlobalOptions(CLI::App& app, CliContext& ctx, GlobalFlags& flags) {
  const std::string group(kGlobalGroup);
  flags.workbook_option =
      app.add_option("--workbook", ctx.options.workbook, std::string(kWorkbookOptionHelp))
          ->type_name("PATH")
          ->group(group);
  flags.seed_option = app.add_option("--seed", flags.seed, std::string(kSeedOptionHelp))
                          ->type_name("N")
                          ->group(group);
  app.add_flag("--batch", ctx.options.batch, std::string(kBatchOptionHelp))->group(group);
  flags.save_option =
      app.add_flag("--save")->description(std::string(kSaveOptionHelp))->group(group);
  flags.no_save_option =
      app.add_flag("--no-save")->description(std::string(kNoSaveOptionHelp))->group(group);
  flags.save_option->excludes(flags.no_save_option);
  app.add_flag("--version", flags.version, std::string(kVersionOptionHelp))->group(group);
}

// Makes the terminal host for the run unless a test installed one, and takes it
// down again at the end.
class HostScope {
 public:
  explicit HostScope(CliContext& ctx) : ctx_(ctx) {
    if (ctx_.host == nullptr) {
      owned_ =
          std::make_unique<TerminalHost>(ctx_.in, ctx_.err, DetectTerminal(ctx_.options.batch));
      owned_->InstallInterruptHandler();
      ctx_.host = owned_.get();
      ctx_.terminal = owned_.get();
    }
    if (ctx_.progress == nullptr) {
      ctx_.progress = ctx_.terminal != nullptr ? static_cast<ProgressLine*>(ctx_.terminal)
                                               : static_cast<ProgressLine*>(&no_line_);
      set_progress_ = true;
    }
  }
  ~HostScope() {
    if (set_progress_) ctx_.progress = nullptr;
    if (owned_) {
      ctx_.host = nullptr;
      ctx_.terminal = nullptr;
    }
  }
  HostScope(const HostScope&) = delete;
  HostScope& operator=(const HostScope&) = delete;

 private:
  CliContext& ctx_;
  std::unique_ptr<TerminalHost> owned_;
  NoProgressLine no_line_;
  bool set_progress_ = false;
};

// The one rule for a press that the command did not answer itself (it came after
// the command's last look, or the command never looks): a success becomes a stop,
// unless the workbook was saved, which is then said. From here on a press is
// held, so the status chosen is the status the process ends with.
int SettleInterrupt(CliContext& ctx, int status) {
  if (ctx.terminal != nullptr) TerminalHost::HoldInterrupts();
  const bool pressed =
      ctx.interrupted || (ctx.terminal != nullptr && ctx.terminal->TakeInterrupt());
  if (!pressed || status != kExitOk) return status;
  const auto say = [&ctx](std::string_view text) {
    if (ctx.progress != nullptr) ctx.progress->ClearProgressLine();
    ctx.err << text << '\n';
  };
  if (ctx.saved) {
    if (!ctx.interrupted) say(kInterruptedAfterSave);
    return kExitOk;
  }
  say(kInterruptedEnd);
  return kExitAborted;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, CliContext& ctx,
           const CommandAdder& add_commands) {
  CLI::App app(std::string(kAppDescription), "tsumiki");
  // Global options may follow the command: a subcommand hands what it does not
  // know to its parent.
  app.fallthrough();
  app.require_subcommand(0, 1);
  JapaneseHelp(app);
  GlobalFlags flags;
  AddGlobalOptions(app, ctx, flags);
  ctx.command = nullptr;
  add_commands(app, ctx);
  GroupHelpFlags(app);

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e, ctx.out, ctx.err);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e, ctx.out, ctx.err);
  } catch (const CLI::ParseError& e) {
    ctx.err << kUsageErrorLead << JapaneseParseError(e) << '\n' << kUsageHint << '\n';
    return kExitUsage;
  }
  // An empty name would mean "the workbook of this folder": a script whose
  // variable is unset must not write there.
  if (flags.workbook_option->count() > 0 && ctx.options.workbook.empty()) {
    ctx.err << kUsageErrorLead << kEmptyWorkbookText << '\n' << kUsageHint << '\n';
    return kExitUsage;
  }

  if (flags.version) {
    ctx.out << TitleWithVersion() << '\n';
    return kExitOk;
  }
  if (flags.seed_option->count() > 0) {
    ctx.options.seed = ParseSeed(flags.seed);
    if (!ctx.options.seed) {
      ctx.err << kUsageErrorLead << layout::Format(kBadSeedText, {flags.seed}) << '\n'
              << kUsageHint << '\n';
      return kExitUsage;
    }
  }
  if (flags.save_option->count() > 0) ctx.options.save = true;
  if (flags.no_save_option->count() > 0) ctx.options.save = false;
  if (!ctx.command) {
    ctx.err << kNoCommandText << '\n' << app.help();
    return kExitUsage;
  }

  HostScope scope(ctx);
  const auto report = [&ctx](std::string_view text) {
    if (ctx.progress != nullptr) ctx.progress->ClearProgressLine();
    ctx.err << text << '\n';
  };
  // The lock is released however the command ends.
  struct LockRelease {
    CliContext& ctx;
    ~LockRelease() { ctx.writer_lock.reset(); }
  } release{ctx};
  ctx.interrupted = false;
  ctx.saved = false;
  try {
    return SettleInterrupt(ctx, ctx.command());
  } catch (const workbook::WorkbookError& e) {
    report(e.JapaneseMessage());
  } catch (const std::exception& e) {
    report(std::string(kUnexpectedErrorLead) + e.what());
  }
  if (ctx.writer_lock) report(kNotSavedAfterError);
  return SettleInterrupt(ctx, kExitFailure);
}

}  // namespace tsumiki::cli
