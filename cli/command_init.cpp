#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "conditions/layout.h"
#include "conditions/sample_workbook.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kInitHelp = "見本のシフト表ブックを新しく作ります";
constexpr std::string_view kInitPathHelp = "作るブックのファイル（例：shift.xlsm）";
// {0}: the path.
constexpr std::string_view kInitExists =
    "「{0}"
    "」は既にあります。上書きはしません。別のファイル名を指定するか、今のファイルを移してから実行し"
    "てください。";
constexpr std::string_view kInitDone = "見本のブック「{0}」を作りました。";

struct InitArgs {
  std::string path;
};

}  // namespace

int RunInit(CliContext& ctx, const std::string& path) {
  std::error_code error;
  if (std::filesystem::exists(path, error) || std::filesystem::is_symlink(path, error)) {
    ctx.err << layout::Format(kInitExists, {path}) << '\n';
    return kExitFailure;
  }
  layout::CreateSampleWorkbook(path);
  ctx.err << layout::Format(kInitDone, {path}) << '\n';
  return kExitOk;
}

void AddInitCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("init", std::string(kInitHelp));
  auto args = std::make_shared<InitArgs>();
  sub->add_option("PATH", args->path, std::string(kInitPathHelp))->required();
  OnRun(sub, ctx, [&ctx, args] { return RunInit(ctx, args->path); });
}

}  // namespace tsumiki::cli
