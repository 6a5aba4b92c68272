#include "check/month_export.h"

#include <chrono>
#include <ctime>
#include <system_error>

#include "check/export_file.h"
#include "check/roster_html.h"
#include "conditions/layout.h"

namespace tsumiki {
namespace {

namespace fs = std::filesystem;

// {0}: the folder, {1}: the system's reason.
constexpr std::string_view kNoFolder = "フォルダ「{0}」を作れませんでした。{1}";
constexpr std::string_view kNoDate =
    "シフト表の年月日が読めないため、予定表を書き出せません。【開始条件設定】の年・月・日を確か"
    "めてください。";

bool IsListed(const ConditionModel& model, int member) {
  return !model.MemberInfo(member, 1).empty() || !model.MemberInfo(member, 2).empty();
}

}  // namespace

std::string WorkplaceOf(const fs::path& workbook) {
  return workbook.stem().string();
}

std::string UtcStampNow() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[20];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
  return text;
}

CalendarExport WriteMemberCalendars(const ConditionModel& model, const MonthLabels& labels,
                                    const CalendarStamp& stamp, const fs::path& folder, int only,
                                    const fs::path& workbook) {
  CalendarExport result;
  if (!labels.first_date) {
    result.error = kNoDate;
    return result;
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    result.error = layout::Format(kNoFolder, {folder.string(), ec.message()});
    return result;
  }
  for (int m = 1; m <= model.MemberCount; ++m) {
    if ((only != 0 && m != only) || !IsListed(model, m)) continue;
    result.error = WriteExportFile(folder / MemberCalendarFileName(model, m),
                                   MemberCalendar(model, labels, stamp, m), workbook);
    if (!result.error.empty()) return result;
    ++result.written;
  }
  return result;
}

std::string WriteRosterPage(const ConditionModel& model, const MonthLabels& labels,
                            const RosterTotals& totals, const fs::path& file,
                            const fs::path& workbook) {
  return WriteExportFile(file, RosterHtml(model, labels, totals, WorkplaceOf(workbook)), workbook);
}

}  // namespace tsumiki
