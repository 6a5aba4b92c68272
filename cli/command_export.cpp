// tsumiki export --pdf FILE | --ics DIR [--member N] | --html FILE: the month for
// printing, for each member's calendar, and as a page for phones.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "check/roster_totals.h"
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/export_month.h"
#include "cli/month_reading.h"
#include "conditions/layout.h"
#include "workbook/output_target.h"
#ifdef TSUMIKI_HAVE_PDF
#include "print/roster_pdf.h"
#endif

namespace tsumiki::cli {
namespace {

constexpr std::string_view kExportHelp =
    "シフト表を印刷用の PDF（横向き 1 ページ）、職員ごとの予定表（iCalendar）、"
    "スマートフォン向けのページ（HTML）に書き出します";
constexpr std::string_view kPdfHelp = "書き出す PDF ファイル";
constexpr std::string_view kIcsHelp = "職員ごとの予定表（.ics）を書き出すフォルダ";
constexpr std::string_view kMemberHelp = "この職員番号の職員の予定表だけを書き出す";
constexpr std::string_view kHtmlHelp = "書き出す HTML ファイル（その月のシフト表 1 ページ）";
constexpr std::string_view kOneTarget = "--pdf、--ics、--html のどれか一つを指定してください。";
constexpr std::string_view kA3Help = "A3 用紙にする（省略時は A4）";
constexpr std::string_view kForceHelp = "既にあるファイルを尋ねずに置き換える";
constexpr std::string_view kReplaceTitle = "上書きの確認";
// {0}: the file.
constexpr std::string_view kReplaceQuestion = "「{0}」は既にあります。置き換えますか？";
constexpr std::string_view kNotReplaced =
    "「{0}」は置き換えませんでした。尋ねずに置き換えるには --force を付けてください。";
constexpr std::string_view kExportTitle = "PDF 書き出し";
constexpr std::string_view kNoPdf = "このツミキは PDF 書き出しなしで作られています。";

struct ExportArgs {
  std::string pdf;
  bool a3 = false;
  bool force = false;
  std::string ics;
  std::string member;
  std::string html;
};

#ifdef TSUMIKI_HAVE_PDF
int Refuse(CliContext& ctx, ReadMonth& month, const std::string& text) {
  CloseReadMonth(month);
  ctx.host->MessageBox(text, kExportTitle, MsgButtons::kOk, MsgIcon::kExclamation);
  return kExitFailure;
}

// True when the file may be written: it is new, or the planner (or --force) lets
// it be replaced. A batch run asks nobody and keeps the file.
bool MayReplace(CliContext& ctx, const std::filesystem::path& target, bool force) {
  std::error_code error;
  if (force || !std::filesystem::exists(target, error)) return true;
  if (ctx.options.batch) return false;
  return ctx.host->MessageBox(layout::Format(kReplaceQuestion, {target.string()}), kReplaceTitle,
                              MsgButtons::kYesNo, MsgIcon::kQuestion) == MsgResult::kYes;
}
#endif

int RunPdfExport(CliContext& ctx, const ExportArgs& args) {
#ifdef TSUMIKI_HAVE_PDF
  // Named from the folder the command started in: the session moves into the
  // workbook's folder.
  std::error_code error_code;
  std::filesystem::path target = std::filesystem::absolute(args.pdf, error_code);
  if (error_code) target = args.pdf;
  auto month = OpenReadMonth(ctx);
  if (!month) return kExitFailure;
  if (const auto refusal = workbook::OutputRefusal(target, month->session->Book().Path()))
    return Refuse(ctx, *month, *refusal);
  if (!MayReplace(ctx, target, args.force))
    return Refuse(ctx, *month, layout::Format(kNotReplaced, {target.string()}));
  const ConditionModel& model = month->Model();
  const std::string error =
      WriteRosterPdf(model, month->judgement.labels, month->judgement.totals, target.string(), args.a3);
  if (!error.empty()) return Refuse(ctx, *month, error);
  return CloseReadMonth(*month);
#else
  (void)args;
  ctx.host->MessageBox(std::string(kNoPdf), kExportTitle, MsgButtons::kOk, MsgIcon::kExclamation);
  return kExitFailure;
#endif
}

int RunExport(CliContext& ctx, const ExportArgs& args) {
  const int targets = int{!args.pdf.empty()} + int{!args.ics.empty()} + int{!args.html.empty()};
  if (targets != 1) {
    ctx.err << kUsageErrorLead << kOneTarget << '\n' << kUsageHint << '\n';
    return kExitUsage;
  }
  if (!args.ics.empty()) return ExportCalendars(ctx, args.ics, args.member);
  if (!args.html.empty()) return ExportPage(ctx, args.html);
  return RunPdfExport(ctx, args);
}

}  // namespace

void AddExportCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("export", std::string(kExportHelp));
  auto args = std::make_shared<ExportArgs>();
  CLI::Option* pdf = sub->add_option("--pdf", args->pdf, std::string(kPdfHelp))->type_name("FILE");
  sub->add_flag("--a3", args->a3, std::string(kA3Help))->needs(pdf);
  CLI::Option* ics = sub->add_option("--ics", args->ics, std::string(kIcsHelp))->type_name("DIR");
  sub->add_option("--member", args->member, std::string(kMemberHelp))
      ->type_name("NUMBER")
      ->needs(ics);
  sub->add_option("--html", args->html, std::string(kHtmlHelp))->type_name("FILE");
  sub->add_flag("--force", args->force, std::string(kForceHelp));
  OnRun(sub, ctx, [&ctx, args] { return RunExport(ctx, *args); });
}

}  // namespace tsumiki::cli
