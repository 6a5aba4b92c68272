#include "cli/export_month.h"

#include <ostream>

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

int Refuse(CliContext& ctx, ReadMonth& month, const std::string& text, std::string_view title) {
  CloseReadMonth(month);
  return RefuseCommand(ctx, text, title);
}

}  // namespace

int ExportCalendars(CliContext& ctx, const std::string& folder, const std::string& member) {
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
      model, month->labels, {WorkplaceOf(workbook), UtcStampNow()}, folder, only, workbook);
  if (!result.error.empty()) return Refuse(ctx, *month, result.error, kCalendarExportTitle);
  CloseReadMonth(*month);
  ctx.err << layout::Format(kCalendarsWritten, {folder, std::to_string(result.written)}) << '\n';
  return kExitOk;
}

int ExportPage(CliContext& ctx, const std::string& file) {
  auto month = OpenReadMonth(ctx);
  if (!month) return kExitFailure;
  const ConditionModel& model = month->Model();
  const std::string error = WriteRosterPage(model, month->labels, CountRosterTotals(model), file,
                                            month->session->WorkbookToOpen());
  if (!error.empty()) return Refuse(ctx, *month, error, kPageExportTitle);
  CloseReadMonth(*month);
  return kExitOk;
}

}  // namespace tsumiki::cli
