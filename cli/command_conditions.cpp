#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

#include "app/save_restore.h"
#include "cli/command_session.h"
#include "cli/commands.h"
#include "conditions/csv_conditions.h"
#include "conditions/layout.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kConditionsHelp = "作成条件をCSVファイルに保存し、また読み込みます";
constexpr std::string_view kSaveHelp = "作成条件をCSVファイルに保存します";
constexpr std::string_view kLoadHelp = "CSVファイルの作成条件をブックに読み込みます";
constexpr std::string_view kFileHelp = "CSVファイル";
constexpr std::string_view kCommandTitle = "条件データの保存と読込";
// {0}: the path.
constexpr std::string_view kSaved = "作成条件を「{0}」に保存しました。";
constexpr std::string_view kNotOverwritten = "「{0}」は上書きしませんでした。";
constexpr std::string_view kNotWritten =
    "「{0}」に保存できませんでした。フォルダがあるか、書き込めるかを確かめてください。";
constexpr std::string_view kMissingFile =
    "「{0}」が見つかりません。ファイル名とフォルダを確かめてください。";
constexpr std::string_view kLoaded =
    "「{0}」の作成条件を読み込みました。ブックに残すには保存してください。";

bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

// The file as named from the folder the command was started in: the session
// moves into the workbook's folder, where a relative name would mean another file.
std::string FromStartFolder(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

int RunConditionsSave(CliContext& ctx, const std::string& given) {
  const std::string path = FromStartFolder(given);
  auto session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  SaveRestoreWindow window(*session);
  window.Load();
  const SaveRestoreOutcome outcome = window.SaveTo(path);
  int status = kExitOk;
  if (outcome == SaveRestoreOutcome::kOverwriteDeclined) {
    ctx.err << layout::Format(kNotOverwritten, {path}) << '\n';
    window.OnCloseClicked();
    status = kExitFailure;
  } else if (outcome == SaveRestoreOutcome::kSaveFailed) {
    // The macro has said why; the exit status must say it too.
    ctx.err << layout::Format(kNotWritten, {path}) << '\n';
    status = kExitFailure;
  } else {
    ctx.err << layout::Format(kSaved, {path}) << '\n';
  }
  return CloseCommandSession(ctx, *session, status);
}

int RunConditionsLoad(CliContext& ctx, const std::string& given) {
  const std::string path = FromStartFolder(given);
  if (!Exists(path)) {
    ctx.host->MessageBox(layout::Format(kMissingFile, {path}), kCommandTitle, MsgButtons::kOk,
                         MsgIcon::kExclamation);
    return kExitFailure;
  }
  auto session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  // Checked before the window touches the workbook: a refused file then leaves it
  // unmodified, so nothing is saved and the exit status says the load failed.
  if (const auto problem = layout::LoadConditionsFile(session->Book(), path, false)) {
    ctx.host->MessageBox(*problem, layout::csv_text::kTitle, MsgButtons::kOk,
                         MsgIcon::kExclamation);
    return CloseCommandSession(ctx, *session, kExitFailure);
  }
  SaveRestoreWindow window(*session);
  window.Load();
  window.RestoreFrom(path);
  ctx.err << layout::Format(kLoaded, {path}) << '\n';
  return CloseCommandSession(ctx, *session, kExitOk);
}

}  // namespace

void AddConditionsCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("conditions", std::string(kConditionsHelp));
  sub->require_subcommand(1);
  auto path = std::make_shared<std::string>();
  CLI::App* save = sub->add_subcommand("save", std::string(kSaveHelp));
  save->add_option("FILE", *path, std::string(kFileHelp))->required();
  OnRun(save, ctx, [&ctx, path] { return RunConditionsSave(ctx, *path); });
  CLI::App* load = sub->add_subcommand("load", std::string(kLoadHelp));
  load->add_option("FILE", *path, std::string(kFileHelp))->required();
  OnRun(load, ctx, [&ctx, path] { return RunConditionsLoad(ctx, *path); });
}

}  // namespace tsumiki::cli
