#include <cmath>

#include "conditions/derived_context.h"
#include "conditions/derived_values.h"

namespace tsumiki::layout::detail {
namespace {

constexpr std::string_view kWholeDayOff = "休";
constexpr int kWholeDayMask = 1023;

// Splits a 個人予定 entry at "," and its full-width forms "，" and "、".
std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> parts;
  std::string current;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == ',') {
      parts.push_back(TrimSpaces(current));
      current.clear();
      i += 1;
    } else if (text.compare(i, 3, "，") == 0 || text.compare(i, 3, "、") == 0) {
      parts.push_back(TrimSpaces(current));
      current.clear();
      i += 3;
    } else {
      current += text[i];
      i += 1;
    }
  }
  parts.push_back(TrimSpaces(current));
  return parts;
}

int CountFilled(const workbook::Table& table) {
  int count = 0;
  for (const auto& row : table) {
    for (const auto& value : row) count += IsBlank(value) ? 0 : 1;
  }
  return count;
}

}  // namespace

void DeriveSchedule(DeriveContext& context) {
  const DerivedFacts& facts = context.facts();
  const auto input = context.Read(kScheduleInput);
  if (!input) return;
  context.WriteOne(kScheduleCount, CountFilled(*input));

  const auto out_range = context.RangeOf(kMemberScdl);
  workbook::Table masks =
      EmptyTable(out_range ? out_range->Rows() : 0, out_range ? out_range->Columns() : 0);
  for (int r = 0; r < static_cast<int>(input->size()); ++r) {
    const auto& row = (*input)[static_cast<std::size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) {
      const auto& value = row[static_cast<std::size_t>(c)];
      int mask = 0;
      if (!IsBlank(value)) {
        for (const std::string& part : SplitList(ValueText(value))) {
          if (part.empty()) continue;
          if (part == kWholeDayOff) {
            mask = kWholeDayMask;
            continue;
          }
          const auto found = facts.abbrev_to_type.find(part);
          if (found == facts.abbrev_to_type.end()) {
            context.Problem(kScheduleInput, r + 1, c + 1,
                            Format(problem_text::kUnknownScheduleAbbrev, {part}));
            continue;
          }
          mask |= 1 << (found->second - 1);
        }
      }
      if (r < static_cast<int>(masks.size()) && c < static_cast<int>(masks[0].size())) {
        masks[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = mask;
      }
    }
  }
  context.Write(kMemberScdl, masks);
}

void DeriveReservations(DeriveContext& context) {
  const DerivedFacts& facts = context.facts();
  const auto reserved = context.Read(kMemberRsv);
  if (reserved) {
    context.WriteOne(kReservationCnt, CountFilled(*reserved));
    for (int r = 0; r < static_cast<int>(reserved->size()); ++r) {
      const auto& row = (*reserved)[static_cast<std::size_t>(r)];
      for (int c = 0; c < static_cast<int>(row.size()); ++c) {
        const auto& value = row[static_cast<std::size_t>(c)];
        if (IsBlank(value)) continue;
        const std::string text = ValueText(value);
        if (facts.abbrev_to_type.find(text) == facts.abbrev_to_type.end()) {
          context.Problem(kMemberRsv, r + 1, c + 1,
                          Format(problem_text::kUnknownReservationAbbrev, {text}));
        }
      }
    }
  }
  if (const auto tail = context.Read(kPrevTail)) context.WriteOne(kPrevCount, CountFilled(*tail));
}

void DeriveRosterFigures(DeriveContext& context) {
  const DerivedFacts& facts = context.facts();
  const auto day_off = context.Read(kMemberDayOff);
  if (day_off) {
    for (int m = 1; m <= facts.member_count; ++m) {
      const auto& value = At(*day_off, m - 1, 0);
      if (IsBlank(value)) continue;
      const auto n = AsNumber(value);
      if (!n) {
        context.Problem(
            kMemberDayOff, m, 1,
            Format(problem_text::kNotANumber, {problem_text::kDayOffCell, ValueText(value)}));
      } else if (facts.day_count && (*n < 0 || *n > *facts.day_count)) {
        context.Problem(kMemberDayOff, m, 1,
                        Format(problem_text::kDayOffOutOfRange,
                               {std::to_string(*facts.day_count), ValueText(value)}));
      }
    }
  }
  if (const auto need = context.Read(kNeedTable); need && facts.day_count) {
    const int types = std::min<int>(facts.type_count, static_cast<int>(need->size()));
    for (int d = 1; d <= *facts.day_count; ++d) {
      double day_total = 0;
      for (int t = 1; t <= types; ++t) {
        const auto& value = At(*need, t - 1, d - 1);
        if (IsBlank(value)) continue;
        const auto n = AsNumber(value);
        if (!n) {
          context.Problem(
              kNeedTable, t, d,
              Format(problem_text::kNotANumber, {problem_text::kNeedCell, ValueText(value)}));
        } else if (*n < 0 || *n != std::floor(*n)) {
          context.Problem(kNeedTable, t, d,
                          Format(problem_text::kNeedNotWhole, {ValueText(value)}));
        } else {
          day_total += *n;
        }
      }
      // Each member takes one duty a day: more than the members can never be met,
      // and the build would only find out at its time limit.
      if (types > 0 && day_total > facts.member_count) {
        context.Problem(kNeedTable, 1, d,
                        Format(problem_text::kNeedOverMembers,
                               {std::to_string(d), std::to_string(std::lround(day_total)),
                                std::to_string(facts.member_count)}));
      }
    }
  }

  const auto roster = context.Read(kTimeTable);
  if (!roster) return;
  if (!facts.day_count) {
    const workbook::CellValue unknown = workbook::CellError{"#VALUE!"};
    context.WriteOne(kStdDev, unknown);
    context.WriteOne(kRestDeviation, unknown);
    context.WriteOne(kRestBalance, unknown);
    return;
  }
  const int days = *facts.day_count;
  std::vector<int> work(static_cast<std::size_t>(facts.member_count), 0);
  for (int m = 1; m <= facts.member_count; ++m) {
    for (int d = 1; d <= days; ++d) {
      if (!IsBlank(At(*roster, m - 1, d - 1))) ++work[static_cast<std::size_t>(m - 1)];
    }
  }
  double spread = 0;
  if (facts.member_count >= 2) {
    double mean = 0;
    for (int w : work) mean += w;
    mean /= facts.member_count;
    double squares = 0;
    for (int w : work) squares += (w - mean) * (w - mean);
    spread = std::sqrt(squares / (facts.member_count - 1));
  }
  context.WriteOne(kStdDev, spread);

  double deviation = 0;
  double balance = 0;
  if (day_off) {
    for (int m = 1; m <= facts.member_count; ++m) {
      const auto wanted = AsNumber(At(*day_off, m - 1, 0));
      if (!wanted) continue;
      const double rest = days - work[static_cast<std::size_t>(m - 1)];
      deviation += std::abs(rest - *wanted);
      balance += rest - *wanted;
    }
  }
  context.WriteOne(kRestDeviation, deviation);
  context.WriteOne(kRestBalance, balance);
}

void DeriveSelection(DeriveContext& context) {
  const auto table = context.RangeOf(kTimeTable);
  if (!table) return;
  const workbook::Selection selection = context.book().CurrentSelection();
  const workbook::CellRange& at = selection.range;
  int row = 0;
  int column = 0;
  if (selection.sheet == table->sheet && at.top >= table->top && at.top <= table->bottom &&
      at.left >= table->left && at.left <= table->right) {
    row = at.top - table->top + 1;
    column = at.left - table->left + 1;
  }
  context.WriteOne(kSelectedRow, row);
  context.WriteOne(kSelectedColumn, column);
}

}  // namespace tsumiki::layout::detail
