// tsumiki export --pdf FILE: the roster on one landscape page for printing.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "check/roster_totals.h"
#include "cli/commands.h"
#include "cli/month_reading.h"
#ifdef TSUMIKI_HAVE_PDF
#include "print/roster_pdf.h"
#endif

namespace tsumiki::cli {
namespace {

constexpr std::string_view kExportHelp =
    "シフト表を印刷用の PDF（横向き 1 ページ、勤務の色と職員別集計つき）に書き出します";
constexpr std::string_view kPdfHelp = "書き出す PDF ファイル";
constexpr std::string_view kA3Help = "A3 用紙にする（省略時は A4）";
constexpr std::string_view kExportTitle = "PDF 書き出し";
constexpr std::string_view kNoPdf = "このツミキは PDF 書き出しなしで作られています。";

struct ExportArgs {
  std::string pdf;
  bool a3 = false;
};

int RunExport(CliContext& ctx, const ExportArgs& args) {
#ifdef TSUMIKI_HAVE_PDF
  auto month = OpenReadMonth(ctx);
  if (!month) return kExitFailure;
  const ConditionModel& model = month->Model();
  const std::string error =
      WriteRosterPdf(model, month->labels, CountRosterTotals(model), args.pdf, args.a3);
  CloseReadMonth(*month);
  if (error.empty()) return kExitOk;
  ctx.host->MessageBox(error, kExportTitle, MsgButtons::kOk, MsgIcon::kExclamation);
  return kExitFailure;
#else
  (void)args;
  ctx.host->MessageBox(std::string(kNoPdf), kExportTitle, MsgButtons::kOk, MsgIcon::kExclamation);
  return kExitFailure;
#endif
}

}  // namespace

void AddExportCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("export", std::string(kExportHelp));
  auto args = std::make_shared<ExportArgs>();
  sub->add_option("--pdf", args->pdf, std::string(kPdfHelp))->type_name("FILE")->required();
  sub->add_flag("--a3", args->a3, std::string(kA3Help));
  OnRun(sub, ctx, [&ctx, args] { return RunExport(ctx, *args); });
}

}  // namespace tsumiki::cli
