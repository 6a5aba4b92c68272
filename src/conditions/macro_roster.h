#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/notice.h"
#include "workbook/workbook.h"

// The workbook macros that work on the roster grid (Time_Table).
namespace tsumiki::layout {

// "!勤務Clear": empties the values and fills of Time_Table from the start day
// (from Main's 日 and 基準開始日) to the grid's last column. Earlier days survive:
// a build that starts later reads them back. When the start day cannot be
// computed, nothing is cleared and the notice says why.
std::optional<Notice> ClearRosterFromStartDay(workbook::Workbook& book);

// "!先月下旬転送": copies the last ten days of every member's row into 先月_結果
// (column 10 = the last day) and sets 先月_月 to the roster's month. When those
// days are all empty (no roster yet), the stored tail and month stay as they were.
// When the period's length cannot be computed, nothing moves and the notice says why.
std::optional<Notice> TransferLastDays(workbook::Workbook& book);

// "!勤務色置換": gives every roster cell the fill of its duty type's 略称 cell and
// leaves rest days and unknown texts without fill.
std::optional<Notice> ColourRoster(workbook::Workbook& book);

// The fill of each duty type's 略称 cell, in type order. Throws WorkbookError
// when the workbook has no 略称.
using DutyFills = std::vector<std::pair<std::string, int>>;
DutyFills ReadDutyFills(const workbook::Workbook& book);
// The fill a roster cell holding `text` takes; no fill for rest and unknown texts.
int FillOfDuty(const DutyFills& fills, std::string_view text);
// One cell as "!勤務色置換" colours it, for a duty typed or pasted by hand. False
// (and nothing changed) for a cell outside Time_Table.
bool ColourRosterCell(workbook::Workbook& book, int sheet, int row, int column);

namespace macro_text {
inline constexpr std::string_view kClearTitle = "シフト表クリア";
inline constexpr std::string_view kClearNoStartDay =
    "作成開始日が決められないため、シフト表を消去しませんでした。\r\n"
    "Mainシートの「日」「基準開始日」「年」「月」に数が入っているか確認してください。";
inline constexpr std::string_view kTransferTitle = "先月結果の転送";
inline constexpr std::string_view kTransferNoDays =
    "期間の日数が決められないため、先月結果を転送しませんでした。\r\n"
    "Mainシートの「年」「月」「基準開始日」に数が入っているか確認してください。";
}  // namespace macro_text

}  // namespace tsumiki::layout
