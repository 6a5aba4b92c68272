#include "cli/export_month.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "check/month_export.h"
#include "check/roster_totals.h"
#include "cli/cli_texts.h"
#include "cli/command_session.h"
#include "cli/month_reading.h"
#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "creation/start_conditions_check.h"

namespace tsumiki::cli {
namespace {

// A target named on the command line counts from the folder the command started
// in, whatever folder the session works in later.
std::filesystem::path FromStartFolder(const std::string& given) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(given, ec);
  return ec ? std::filesystem::path(given) : path;
}

int Refuse(CliContext& ctx, ReadMonth& month, const std::string& text, std::string_view title) {
  CloseReadMonth(month);
  return RefuseCommand(ctx, text, title);
}

}  // namespace

int ExportCalendars(CliContext& ctx, const std::string& folder, const std::string& member) {
  const std::filesystem::path target = FromStartFolder(folder);
  auto month = OpenReadMonth(ctx);
  if (!month) return kExitFailure;
  const ConditionModel& model = month->Model();
  int only = 0;
  if (!member.empty()) {
    const auto number = ParseWholeNumberText(member);
    only = number ? MemberRowOfNumber(model, *number) : 0;
    if (only == 0)
      return Refuse(ctx, *month, layout::Format(kNoSuchMember, {member}), kCalendarExportTitle);
  }
  const auto workbook = month->session->WorkbookToOpen();
  const CalendarExport result = WriteMemberCalendars(
      model, month->judgement.labels, {WorkplaceOf(workbook), UtcStampNow()}, target, only, workbook);
  if (!result.error.empty()) return Refuse(ctx, *month, result.error, kCalendarExportTitle);
  CloseReadMonth(*month);
  ctx.err << layout::Format(kCalendarsWritten, {folder, std::to_string(result.written)}) << '\n';
  return kExitOk;
}

int ExportPage(CliContext& ctx, const std::string& file) {
  const std::filesystem::path target = FromStartFolder(file);
  auto month = OpenReadMonth(ctx);
  if (!month) return kExitFailure;
  const ConditionModel& model = month->Model();
  const std::string error = WriteRosterPage(model, month->judgement.labels, month->judgement.totals, target,
                                            month->session->WorkbookToOpen());
  if (!error.empty()) return Refuse(ctx, *month, error, kPageExportTitle);
  CloseReadMonth(*month);
  return kExitOk;
}

}  // namespace tsumiki::cli
