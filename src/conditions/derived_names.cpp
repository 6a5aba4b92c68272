#include "conditions/derived_names.h"

#include <cmath>

#include "conditions/derived_context.h"
#include "conditions/derived_values.h"

namespace tsumiki::layout {
namespace detail {

namespace {
const workbook::CellValue kEmptyValue;
}  // namespace

std::optional<workbook::CellRange> DeriveContext::RangeOf(const NameSpec& name_spec) const {
  if (!Has(book_, name_spec)) return std::nullopt;
  return Range(book_, name_spec);
}

std::optional<workbook::Table> DeriveContext::Read(const NameSpec& name_spec) const {
  const auto range = RangeOf(name_spec);
  if (!range) return std::nullopt;
  return book_.ReadRange(*range);
}

void DeriveContext::Write(const NameSpec& name_spec, const workbook::Table& values) {
  if (!write_) return;
  const auto range = RangeOf(name_spec);
  if (!range) return;
  const workbook::Table current = book_.ReadRange(*range);
  const int rows = std::min<int>(range->Rows(), static_cast<int>(values.size()));
  for (int r = 0; r < rows; ++r) {
    const auto& row = values[static_cast<std::size_t>(r)];
    const int columns = std::min<int>(range->Columns(), static_cast<int>(row.size()));
    for (int c = 0; c < columns; ++c) {
      const auto& value = row[static_cast<std::size_t>(c)];
      if (!(At(current, r, c) == value)) book_.WriteCell(*range, r + 1, c + 1, value);
    }
  }
}

void DeriveContext::WriteOne(const NameSpec& name_spec, const workbook::CellValue& value) {
  Write(name_spec, workbook::Table{{value}});
}

void DeriveContext::Problem(const NameSpec& name_spec, int row, int column, std::string message) {
  if (problems_ == nullptr) return;
  const auto range = RangeOf(name_spec);
  if (!range) return;
  InputProblem problem{book_.SheetName(range->sheet),
                       CellName(range->top + row - 1, range->left + column - 1),
                       std::move(message)};
  // A cell that several checks refuse is told once, by the first of them.
  for (const InputProblem& known : *problems_) {
    if (known.sheet == problem.sheet && known.cell == problem.cell) return;
  }
  problems_->push_back(std::move(problem));
}

workbook::Table EmptyTable(int rows, int columns) {
  return workbook::Table(
      static_cast<std::size_t>(std::max(rows, 0)),
      std::vector<workbook::CellValue>(static_cast<std::size_t>(std::max(columns, 0))));
}

const workbook::CellValue& At(const workbook::Table& table, int row, int column) {
  if (row < 0 || row >= static_cast<int>(table.size())) return kEmptyValue;
  const auto& line = table[static_cast<std::size_t>(row)];
  if (column < 0 || column >= static_cast<int>(line.size())) return kEmptyValue;
  return line[static_cast<std::size_t>(column)];
}

void DeriveTypes(DeriveContext& context) {
  DerivedFacts& facts = context.facts();
  const auto names = context.Read(kTypeNames);
  const auto abbrevs = context.Read(kTypeAbbrev);
  if (!names) return;
  const int rows = static_cast<int>(names->size());
  for (int r = 0; r < rows; ++r) {
    facts.type_names.push_back(ValueText(At(*names, r, 0)));
    facts.type_abbrev.push_back(abbrevs ? ValueText(At(*abbrevs, r, 0)) : std::string());
  }
  while (facts.type_count < rows &&
         !facts.type_names[static_cast<std::size_t>(facts.type_count)].empty()) {
    ++facts.type_count;
  }
  for (int r = facts.type_count; r < rows; ++r) {
    const std::string& name = facts.type_names[static_cast<std::size_t>(r)];
    if (!name.empty())
      context.Problem(kTypeNames, r + 1, 1, Format(problem_text::kTypeAfterGap, {name}));
  }
  for (int t = 1; t <= facts.type_count; ++t) {
    const std::string& abbrev = facts.type_abbrev[static_cast<std::size_t>(t - 1)];
    if (abbrev.empty()) {
      if (abbrevs) {
        context.Problem(kTypeAbbrev, t, 1,
                        Format(problem_text::kMissingAbbrev,
                               {facts.type_names[static_cast<std::size_t>(t - 1)]}));
      }
      continue;
    }
    facts.abbrev_to_type[abbrev] = t;
  }
  context.WriteOne(kTypeCnt, facts.type_count);

  if (abbrevs) {
    workbook::Table list = EmptyTable(rows, 2);
    for (int r = 0; r < rows; ++r) {
      list[static_cast<std::size_t>(r)][0] = At(*names, r, 0);
      list[static_cast<std::size_t>(r)][1] = At(*abbrevs, r, 0);
    }
    context.Write(kTypeList, list);
  }

  const auto marks = context.Read(kNextDayBanInput);
  if (!marks) return;
  const auto ban_range = context.RangeOf(kDayBefore);
  const int ban_columns = ban_range ? ban_range->Columns() : 0;
  workbook::Table bans = EmptyTable(1, ban_columns);
  bool reported = false;
  for (int t = 1; t <= static_cast<int>(marks->size()); ++t) {
    long mask = 0;
    const int columns = static_cast<int>((*marks)[static_cast<std::size_t>(t - 1)].size());
    for (int u = 1; u <= columns; ++u) {
      if (IsBlank(At(*marks, t - 1, u - 1))) continue;
      if (t > facts.type_count || u > facts.type_count || u > 31) {
        // One report per table is enough to send the planner there.
        if (!reported) {
          context.Problem(
              kNextDayBanInput, t, u,
              Format(problem_text::kNextDayBanOutside, {std::to_string(facts.type_count)}));
          reported = true;
        }
        continue;
      }
      mask |= 1L << (u - 1);
    }
    if (t <= ban_columns) bans[0][static_cast<std::size_t>(t - 1)] = static_cast<double>(mask);
  }
  context.Write(kDayBefore, bans);
}

void DerivePeriod(DeriveContext& context) {
  DerivedFacts& facts = context.facts();
  const auto year = context.Read(kYear);
  const auto month = context.Read(kMonth);
  const auto base = context.Read(kBaseStartDay);
  const auto start = context.Read(kStartDayOfMonth);
  if (!year || !month || !base) return;

  auto number = [&](const NameSpec& name_spec, const workbook::Table& table,
                    std::string_view what) -> std::optional<double> {
    const auto& value = At(table, 0, 0);
    const auto n = AsNumber(value);
    if (!n)
      context.Problem(name_spec, 1, 1, Format(problem_text::kNotANumber, {what, ValueText(value)}));
    return n;
  };
  const auto y = number(kYear, *year, problem_text::kYearCell);
  const auto m = number(kMonth, *month, problem_text::kMonthCell);
  const auto b = number(kBaseStartDay, *base, problem_text::kBaseDayCell);
  if (start) {
    const auto s = number(kStartDayOfMonth, *start, problem_text::kStartDayCell);
    if (s && (*s < 1 || *s > 31)) {
      context.Problem(kStartDayOfMonth, 1, 1,
                      Format(problem_text::kDayOutOfRange,
                             {problem_text::kStartDayCell, ValueText(At(*start, 0, 0))}));
    }
  }
  if (y && (*y < 1900 || *y > 9999)) {
    context.Problem(kYear, 1, 1,
                    Format(problem_text::kYearOutOfRange, {ValueText(At(*year, 0, 0))}));
  }
  if (m && (*m < 1 || *m > 12)) {
    context.Problem(kMonth, 1, 1,
                    Format(problem_text::kMonthOutOfRange, {ValueText(At(*month, 0, 0))}));
  }
  if (b && (*b < 1 || *b > 31)) {
    context.Problem(kBaseStartDay, 1, 1,
                    Format(problem_text::kDayOutOfRange,
                           {problem_text::kBaseDayCell, ValueText(At(*base, 0, 0))}));
  }
  // A spreadsheet's DATE rolls 31 April into 1 May, moving the whole period a
  // month without a word: refused instead.
  if (y && m && b && *m >= 1 && *m <= 12 && *y >= 1900 && *y <= 9999 && *b >= 1) {
    const int last =
        DaysInMonth(static_cast<int>(std::lround(*y)), static_cast<int>(std::lround(*m)));
    if (std::lround(*b) > last) {
      context.Problem(kBaseStartDay, 1, 1,
                      Format(problem_text::kBaseDayBeyondMonth,
                             {ValueText(At(*base, 0, 0)), std::to_string(std::lround(*m)),
                              std::to_string(last)}));
    }
  }
  if (y && m && b) {
    facts.period_start =
        PeriodStart(static_cast<int>(std::lround(*y)), static_cast<int>(std::lround(*m)),
                    static_cast<int>(std::lround(*b)));
  }
  if (facts.period_start) facts.day_count = PeriodLength(*facts.period_start);
  context.WriteOne(kDayCnt, facts.day_count ? workbook::CellValue(*facts.day_count)
                                            : workbook::CellValue(workbook::CellError{"#VALUE!"}));
}

void DeriveMembers(DeriveContext& context) {
  DerivedFacts& facts = context.facts();
  const auto list = context.Read(kMemberList);
  if (!list) return;
  facts.members = *list;
  for (int r = static_cast<int>(list->size()); r >= 1; --r) {
    if (!IsBlank(At(*list, r - 1, 0)) || !IsBlank(At(*list, r - 1, 1))) {
      facts.member_count = r;
      break;
    }
  }
  int numbers = 0;
  int names = 0;
  for (int r = 0; r < facts.member_count; ++r) {
    if (!IsBlank(At(*list, r, 0))) ++numbers;
    if (!IsBlank(At(*list, r, 1))) ++names;
  }
  context.WriteOne(kMemberCnt, facts.member_count);
  context.WriteOne(kNumberCount, numbers);
  context.WriteOne(kNameCount, names);
}

}  // namespace detail

void DeriveNames(workbook::Workbook& book, std::vector<InputProblem>* problems, bool write) {
  detail::DeriveContext context(book, problems, write);
  detail::DeriveTypes(context);
  detail::DerivePeriod(context);
  detail::DeriveMembers(context);
  detail::DeriveSchedule(context);
  detail::DeriveReservations(context);
  detail::DeriveRosterFigures(context);
  detail::DeriveSelection(context);
  detail::DeriveLabels(context);
  if (problems != nullptr) detail::CheckTypedValues(context);
}

void InstallDerivedNames(workbook::Workbook& book) {
  book.SetRecalculator([](workbook::Workbook& b) { DeriveNames(b, nullptr, true); });
  for (const NameSpec& name_spec : AllNames()) {
    if ((name_spec.role == Role::kDerived || name_spec.role == Role::kDisplay) && Has(book, name_spec)) {
      book.MarkDerived(Range(book, name_spec));
    }
  }
}

}  // namespace tsumiki::layout

namespace tsumiki {

std::vector<InputProblem> FindInputProblems(workbook::Workbook& book) {
  std::vector<InputProblem> problems;
  layout::DeriveNames(book, &problems, false);
  return problems;
}

}  // namespace tsumiki
