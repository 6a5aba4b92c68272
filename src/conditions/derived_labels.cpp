#include "conditions/derived_context.h"
#include "conditions/derived_values.h"

namespace tsumiki::layout::detail {
namespace {

constexpr std::string_view kRestLabel = "休み";
constexpr int kRestWeightRow = 12;

// Two rows over a day grid: "1/5" and the weekday, empty beyond the period.
void WriteDates(DeriveContext& context, const NameSpec& name_spec) {
  const auto range = context.RangeOf(name_spec);
  if (!range) return;
  const DerivedFacts& facts = context.facts();
  workbook::Table heads = EmptyTable(range->Rows(), range->Columns());
  if (facts.period_start && facts.day_count) {
    for (int d = 1; d <= std::min(range->Columns(), *facts.day_count); ++d) {
      const CivilDate date = AddDays(*facts.period_start, d - 1);
      const auto column = static_cast<std::size_t>(d - 1);
      heads[0][column] = std::to_string(date.month) + "/" + std::to_string(date.day);
      if (heads.size() > 1) heads[1][column] = std::string(WeekdayName(Weekday(date)));
    }
  }
  context.Write(name_spec, heads);
}

// Number and name of each member beside a member grid.
void WriteMembers(DeriveContext& context, const NameSpec& name_spec) {
  const auto range = context.RangeOf(name_spec);
  if (!range) return;
  const DerivedFacts& facts = context.facts();
  workbook::Table labels = EmptyTable(range->Rows(), range->Columns());
  for (int m = 1; m <= std::min(range->Rows(), facts.member_count); ++m) {
    auto& row = labels[static_cast<std::size_t>(m - 1)];
    for (int c = 0; c < std::min(2, range->Columns()); ++c) {
      row[static_cast<std::size_t>(c)] = At(facts.members, m - 1, c);
    }
  }
  context.Write(name_spec, labels);
}

}  // namespace

void DeriveLabels(DeriveContext& context) {
  WriteDates(context, kRosterDates);
  WriteDates(context, kRsvDates);
  WriteDates(context, kScheduleDates);
  WriteDates(context, kNeedDates);
  WriteMembers(context, kRosterMembers);
  WriteMembers(context, kRsvMembers);
  WriteMembers(context, kPrevMembers);
  WriteMembers(context, kPastMembers);

  const DerivedFacts& facts = context.facts();
  if (const auto range = context.RangeOf(kNeedTypes)) {
    workbook::Table names = EmptyTable(range->Rows(), 1);
    for (int t = 1; t <= std::min(range->Rows(), facts.type_count); ++t) {
      names[static_cast<std::size_t>(t - 1)][0] = facts.type_names[static_cast<std::size_t>(t - 1)];
    }
    context.Write(kNeedTypes, names);
  }
  if (const auto range = context.RangeOf(kNextDayHead)) {
    workbook::Table heads = EmptyTable(1, range->Columns());
    for (int t = 1; t <= std::min(range->Columns(), facts.type_count); ++t) {
      heads[0][static_cast<std::size_t>(t - 1)] =
          facts.type_abbrev[static_cast<std::size_t>(t - 1)];
    }
    context.Write(kNextDayHead, heads);
  }
  if (const auto range = context.RangeOf(kWeightLabels)) {
    workbook::Table labels = EmptyTable(range->Rows(), 1);
    for (int t = 1; t <= std::min(range->Rows(), facts.type_count); ++t) {
      labels[static_cast<std::size_t>(t - 1)][0] =
          facts.type_names[static_cast<std::size_t>(t - 1)];
    }
    if (range->Rows() >= kRestWeightRow) {
      labels[kRestWeightRow - 1][0] = std::string(kRestLabel);
    }
    context.Write(kWeightLabels, labels);
  }
}

}  // namespace tsumiki::layout::detail
