#include <limits>
#include <optional>
#include <string>

#include "conditions/derived_calendar.h"
#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "workbook/reading_modes.h"

namespace tsumiki::load_steps {
namespace {

bool IsBlank(const workbook::CellValue& value) {
  return value.IsEmpty() || (value.IsText() && value.Text().empty());
}

// A whole number of a cell the value check has passed; nullopt when empty.
std::optional<int> Count(const NamedRangeReader& reader, int row, int column) {
  if (IsBlank(reader.Value(row, column))) return std::nullopt;
  return reader.Int(row, column);
}

ExtraConditions::AreaPlace PlaceOf(const NamedRangeReader& reader) {
  return {reader.PlaceOf().sheet, reader.range().top, reader.range().left};
}

void ReadCounts(LoadContext& ctx, ExtraConditions& extra) {
  const ConditionModel& model = ctx.model;
  const auto least = NamedRangeReader::IfPresent(ctx.book, layout::kDutyLeast);
  const auto most = NamedRangeReader::IfPresent(ctx.book, layout::kDutyMost);
  if (least) {
    least->RequireSize(model.MemberCount, model.TypeCount);
    extra.DutyLeastPlace = PlaceOf(*least);
  }
  if (most) {
    most->RequireSize(model.MemberCount, model.TypeCount);
    extra.DutyMostPlace = PlaceOf(*most);
  }
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (least) {
        extra.DutyLeast(m, t) = Count(*least, m, t).value_or(0);
        extra.HasHard |= extra.DutyLeast(m, t) > 0;
      }
      if (most) {
        extra.DutyMost(m, t) = Count(*most, m, t).value_or(kNoLimit);
        extra.HasHard |= extra.DutyMost(m, t) != kNoLimit;
      }
    }
  }
}

// Reads one limit per member (`none` where empty) and returns where its area lies.
ExtraConditions::AreaPlace ReadMemberLimit(LoadContext& ctx, const layout::NameSpec& name_spec,
                                           IndexArray<int>& limit, int none, int binds_from) {
  const auto reader = NamedRangeReader::IfPresent(ctx.book, name_spec);
  if (!reader) return {};
  reader->RequireSize(ctx.model.MemberCount, 1);
  for (int m = 1; m <= ctx.model.MemberCount; ++m) {
    limit(m) = Count(*reader, m, 1).value_or(none);
    ctx.model.Extra.HasHard |= limit(m) >= binds_from;
  }
  return PlaceOf(*reader);
}

void ReadWishes(LoadContext& ctx, ExtraConditions& extra) {
  const ConditionModel& model = ctx.model;
  const auto wishes = NamedRangeReader::IfPresent(ctx.book, layout::kWishTable);
  const auto weights = NamedRangeReader::IfPresent(ctx.book, layout::kWishWeight);
  if (!wishes || !weights) return;
  wishes->RequireSize(model.MemberCount, model.DayCount);
  weights->RequireSize(model.MemberCount, model.DayCount);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      const std::string text = wishes->Text(m, d);
      const int weight = Count(*weights, m, d).value_or(0);
      if (text.empty() || weight <= 0) continue;
      const int duty = text == "休" ? kRestDay : AbbrevToType(model, text);
      if (duty == kAnyType || (duty == 0 && text != "休")) continue;
      extra.WishDuty(m, d) = duty;
      extra.WishWeight(m, d) = weight;
      extra.HasSoft = true;
    }
  }
}

void ReadDesiredStaff(LoadContext& ctx, ExtraConditions& extra) {
  const ConditionModel& model = ctx.model;
  const auto desired = NamedRangeReader::IfPresent(ctx.book, layout::kDesiredStaff);
  const auto weights = NamedRangeReader::IfPresent(ctx.book, layout::kDesiredWeight);
  if (!desired || !weights) return;
  desired->RequireSize(model.TypeCount, model.DayCount);
  weights->RequireSize(model.TypeCount, 1);
  for (int t = 1; t <= model.TypeCount; ++t) {
    extra.DesiredWeight(t) = weights->Single(t, 1);
    for (int d = 1; d <= model.DayCount; ++d) {
      extra.DesiredStaff(t, d) = desired->Int(t, d);
      extra.HasSoft |=
          extra.DesiredWeight(t) > 0 && extra.DesiredStaff(t, d) > model.NeedTable(t, d);
    }
  }
}

}  // namespace

void ReadExtraConditions(LoadContext& ctx) {
  ConditionModel& model = ctx.model;
  ExtraConditions& extra = model.Extra;
  if (const auto start =
          layout::PeriodStart(model.CreateYear, model.CreateMonth, model.BaseStartDay))
    extra.SetWeekends(model.DayCount, layout::Weekday(*start));
  ReadCounts(ctx, extra);
  constexpr int kNeverBinds = std::numeric_limits<int>::max();
  extra.RestRunPlace = ReadMemberLimit(ctx, layout::kRestRunLeast, extra.RestRunLeast, 0, 2);
  extra.WorkRunPlace = ReadMemberLimit(ctx, layout::kWorkRunLeast, extra.WorkRunLeast, 0, 2);
  // A member's own longest run takes the place of 連続勤務上限 in the rules that
  // judge it, so it is no optional limit of its own either.
  ReadMemberLimit(ctx, layout::kWorkRunMost, extra.WorkRunMost, kNoLimit, kNeverBinds);
  extra.WeekendsPlace =
      ReadMemberLimit(ctx, layout::kWeekendsMost, extra.WeekendsMost, kNoLimit, 0);
  // More days off only lowers the fewest work days: it binds nothing the target
  // did not, and so is no hard limit of its own.
  extra.DayOffPlace = ReadMemberLimit(ctx, layout::kDayOffMost, extra.DayOffMost, kNoLimit, kNeverBinds);
  ReadWishes(ctx, extra);
  ReadDesiredStaff(ctx, extra);
  if (const auto weight = NamedRangeReader::IfPresent(ctx.book, layout::kScoreWeight)) {
    if (!IsBlank(weight->Value())) extra.ScoreWeight = weight->Single();
  }
}

}  // namespace tsumiki::load_steps
