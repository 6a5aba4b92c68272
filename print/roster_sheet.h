#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "check/roster_reading.h"
#include "check/roster_totals.h"

// The printed roster as data, before anything draws it: texts, colours and
// widths only, so that the command line lays the page out without a drawing
// library and hands it to the program that draws it.
namespace tsumiki {

using Rgb = std::uint32_t;  // 0xRRGGBB
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
// The weekend shades of the page, and the ink of a day short of its need.
inline constexpr Rgb kSaturdayShade = 0xDDEBF7;
inline constexpr Rgb kSundayShade = 0xFCE4D6;
inline constexpr Rgb kShortInk = 0xC00000;
// The width of a day column in points; the drawing scales the grid to the paper.
inline constexpr double kDayWidth = 12;

// One cell of the printed grid.
struct PageCell {
  std::string text;
  Rgb fill = kWhite;
  Rgb ink = kBlack;
  double width = kDayWidth;  // points
  bool operator==(const PageCell&) const = default;
};

struct PageLegendItem {
  std::string abbrev;
  std::string name;
  Rgb fill = kWhite;
  bool operator==(const PageLegendItem&) const = default;
};

// What one printed page holds: the title, the grid's rows (dates, weekdays, one
// per member, then each duty's staff per day), and the legend of the duties
// under it. Saturdays and Sundays are shaded where no duty colour stands; a day
// short of its need shows its count in red. Where the workbook sets them, the
// members' rows end in the wishes granted and missed, and each duty with a
// desired staffing gets a row of it (red where the month stays below) that
// closes with the days that reach it.
struct RosterPage {
  std::string title;
  std::vector<std::vector<PageCell>> rows;
  std::vector<PageLegendItem> legend;
  bool operator==(const RosterPage&) const = default;
};

enum class Paper { kA4, kA3 };

// The whole printed document: landscape pages on one paper size.
struct PrintedRoster {
  Paper paper = Paper::kA4;
  std::string title;  // the document's title as a PDF reader shows it
  std::vector<RosterPage> pages;
  bool operator==(const PrintedRoster&) const = default;
};

RosterPage BuildRosterPage(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals);

// The month on one page.
PrintedRoster BuildPrintedRoster(const ConditionModel& model, const MonthLabels& labels,
                                 const RosterTotals& totals, Paper paper);

}  // namespace tsumiki
