#include <cmath>
#include <string>

#include "conditions/layout.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader_messages.h"
#include "ui/app_identity.h"
#include "workbook/reading_modes.h"

namespace tsumiki::load_steps {
namespace {

using workbook::WorkbookError;

constexpr double kLargestMemberNumber = 999999999;

// "スケジュール!B7": where a member-list message sends the planner.
std::string CellLabel(const NamedRangeReader& list, int row, int column) {
  const WorkbookError::Place place = list.PlaceOf(row, column);
  return place.sheet + "!" + place.cell;
}

bool IsBlank(const workbook::CellValue& value) {
  return value.IsEmpty() || (value.IsText() && value.Text().empty());
}

// Combinations and the readjustment name members by number, so a number is a
// whole number from 1 on, typed as a number or as digits.
bool IsMemberNumber(const workbook::CellValue& value) {
  if (value.IsNumber()) {
    const double n = value.Number();
    return std::isfinite(n) && n >= 1 && n <= kLargestMemberNumber && std::floor(n) == n;
  }
  if (!value.IsText()) return false;
  const std::string& text = value.Text();
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  if (first == std::string::npos || last - first + 1 > 9) return false;
  for (std::size_t i = first; i <= last; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return std::stoi(text.substr(first, last - first + 1)) >= 1;
}

// 個人条件数 = 0 means no member has a day condition; an unreadable cell counts
// as "some", so the schedule is read.
bool HasSchedules(workbook::Workbook& book) {
  try {
    const auto reader = NamedRangeReader::IfPresent(book, layout::kScheduleCount);
    if (!reader) return true;
    return reader->ValueTextDouble() != 0;
  } catch (const WorkbookError&) {
    return true;
  }
}

}  // namespace

bool ReadMembers(LoadContext& ctx) {
  workbook::Workbook& book = ctx.book;
  ConditionModel& model = ctx.model;
  Status(ctx, load_text::kStatusMembers);

  const NamedRangeReader list(book, layout::kMemberList);
  for (int m = 1; m <= model.MemberCount; ++m) {
    const workbook::CellValue number = list.Value(m, 1);
    if (IsBlank(number)) {
      Report(ctx, layout::Format(load_text::kBlankNumber, {CellLabel(list, m, 1)}), kTitleText);
      return false;
    }
    if (!IsMemberNumber(number)) {
      Report(ctx,
             layout::Format(load_text::kBadMemberNumber,
                            {CellLabel(list, m, 1), workbook::ValueToText(number)}),
             kTitleText);
      return false;
    }
    model.MemberInfo(m, 1) = workbook::ValueToText(number);
    const workbook::CellValue name = list.Value(m, 2);
    if (IsBlank(name)) {
      Report(ctx, layout::Format(load_text::kBlankName, {CellLabel(list, m, 2)}), kTitleText);
      return false;
    }
    model.MemberInfo(m, 2) = workbook::ValueToText(name);
  }

  const NamedRangeReader numbers(book, layout::kNumberCount);
  const NamedRangeReader names(book, layout::kNameCount);
  if (numbers.Value() != names.Value()) {
    Report(ctx, load_text::kCountMismatch, load_text::kCountMismatchTitle);
    return false;
  }

  for (int i = 1; i <= model.MemberCount; ++i) {
    for (int j = i + 1; j <= model.MemberCount; ++j) {
      if (model.MemberInfo(j, 1) == model.MemberInfo(i, 1)) {
        Report(ctx,
               layout::Format(load_text::kDuplicateNumber,
                              {model.MemberInfo(j, 1), CellLabel(list, j, 1), CellLabel(list, i, 1)}),
               kTitleText);
        return false;
      }
    }
  }

  if (HasSchedules(book)) {
    const NamedRangeReader schedule(book, layout::kMemberScdl);
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = 1; d <= model.DayCount; ++d)
        model.DutyBanMask(m, d) = schedule.ValueTextInt(m, d);
    }
  }

  const NamedRangeReader days_off(book, layout::kMemberDayOff);
  for (int m = 1; m <= model.MemberCount; ++m) {
    const double off = days_off.Single(m, 1);
    model.WorkDayTarget(m) = workbook::RoundHalfEven(model.DayCount - off, days_off.PlaceOf(m, 1));
  }
  return true;
}

void ReadStaffing(LoadContext& ctx) {
  ConditionModel& model = ctx.model;
  Status(ctx, load_text::kStatusStaffing);
  const NamedRangeReader need(ctx.book, layout::kNeedTable);
  const int total = model.TypeCount + 1;
  for (int d = 1; d <= model.DayCount; ++d) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      model.NeedTable(t, d) = need.Int(t, d);
      model.NeedTable(total, d) += model.NeedTable(t, d);
    }
  }
}

}  // namespace tsumiki::load_steps
