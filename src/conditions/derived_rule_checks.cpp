#include <algorithm>
#include <string>

#include "conditions/derived_context.h"
#include "conditions/derived_values.h"
#include "conditions/value_rules.h"

// Values the load would read as something else: a mode of 5 or 1.5, a negative
// limit or weight, "yes" for TRUE, a short name nobody has in a sequence (the
// sequence would silently shrink), a reservation on a row without a member.
namespace tsumiki::layout::detail {
namespace {

// Every cell of the name within `rows` x `columns` (all of it when 0) against its rule.
void CheckRule(DeriveContext& context, const NameSpec& name_spec, int rows = 0, int columns = 0) {
  const auto table = context.Read(name_spec);
  if (!table) return;
  const int last_row = rows > 0 ? std::min<int>(rows, static_cast<int>(table->size()))
                                : static_cast<int>(table->size());
  for (int r = 0; r < last_row; ++r) {
    const auto& row = (*table)[static_cast<std::size_t>(r)];
    const int last_column = columns > 0 ? std::min<int>(columns, static_cast<int>(row.size()))
                                        : static_cast<int>(row.size());
    for (int c = 0; c < last_column; ++c) {
      if (auto problem = RuleProblem(name_spec, row[static_cast<std::size_t>(c)]))
        context.Problem(name_spec, r + 1, c + 1, std::move(*problem));
    }
  }
}

bool FlagIsTrue(DeriveContext& context, const NameSpec& name_spec) {
  const auto table = context.Read(name_spec);
  return table && At(*table, 0, 0).IsBool() && At(*table, 0, 0).Bool();
}

// The first `count` rows of a sequence table (count from its count cell).
void CheckPatterns(DeriveContext& context, const NameSpec& count_spec, const NameSpec& rows_spec,
                   std::string_view table_name) {
  const auto count_cell = context.Read(count_spec);
  const auto rows = context.Read(rows_spec);
  if (!count_cell || !rows) return;
  const auto count = AsNumber(At(*count_cell, 0, 0));
  if (!count) return;
  const DerivedFacts& facts = context.facts();
  const int used = std::min(static_cast<int>(*count), static_cast<int>(rows->size()));
  for (int p = 0; p < used; ++p) {
    const auto& row = (*rows)[static_cast<std::size_t>(p)];
    for (int k = 0; k < static_cast<int>(row.size()); ++k) {
      const auto& value = row[static_cast<std::size_t>(k)];
      if (IsBlank(value)) continue;
      const std::string text = ValueText(value);
      if (text != "*" && facts.abbrev_to_type.find(text) == facts.abbrev_to_type.end())
        context.Problem(rows_spec, p + 1, k + 1,
                        Format(problem_text::kUnknownPatternAbbrev, {text, table_name}));
    }
  }
}

void CheckPrevTail(DeriveContext& context) {
  if (!FlagIsTrue(context, kUsePrevMonth)) return;
  const auto tail = context.Read(kPrevTail);
  if (!tail) return;
  const DerivedFacts& facts = context.facts();
  const int members = std::min(facts.member_count, static_cast<int>(tail->size()));
  for (int m = 0; m < members; ++m) {
    const auto& row = (*tail)[static_cast<std::size_t>(m)];
    for (int j = 0; j < static_cast<int>(row.size()); ++j) {
      const auto& value = row[static_cast<std::size_t>(j)];
      if (IsBlank(value)) continue;
      const std::string text = ValueText(value);
      if (text != "休" && text != "*" &&
          facts.abbrev_to_type.find(text) == facts.abbrev_to_type.end())
        context.Problem(kPrevTail, m + 1, j + 1, Format(problem_text::kUnknownPrevAbbrev, {text}));
    }
  }
}

void CheckReservationRows(DeriveContext& context) {
  const auto reserved = context.Read(kMemberRsv);
  if (!reserved) return;
  const int members = context.facts().member_count;
  for (int r = members; r < static_cast<int>(reserved->size()); ++r) {
    const auto& row = (*reserved)[static_cast<std::size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) {
      if (IsBlank(row[static_cast<std::size_t>(c)])) continue;
      context.Problem(kMemberRsv, r + 1, c + 1,
                      Format(problem_text::kReservationBeyondMembers, {std::to_string(members)}));
      return;  // one cell says it for the row and the rest
    }
  }
}

}  // namespace

void CheckValueRules(DeriveContext& context) {
  const DerivedFacts& facts = context.facts();
  for (const NameSpec* name_spec :
       {&kYear, &kMonth, &kStartDayOfMonth, &kBaseStartDay, &kAttempts, &kTimeLimit,
        &kImproveSeconds, &kCreationMode, &kMaxConsecWork, &kMaxConsecRest, &kWeights,
        &kForbiddenComboCnt, &kRequiredComboCnt, &kUsePast, &kUsePrevMonth, &kPreventSingleWork,
        &kWorkDayAdjust, &kWorkFocus}) {
    CheckRule(context, *name_spec);
  }
  CheckRule(context, kMemberDayOff, facts.member_count);
  CheckRule(context, kNeedTable, facts.type_count);
  if (FlagIsTrue(context, kUsePast)) CheckRule(context, kPastTotals, facts.member_count);
  CheckPatterns(context, kForbiddenPatternCnt, kForbiddenPatterns,
                problem_text::kForbiddenPatternTable);
  CheckPatterns(context, kRequiredPatternCnt, kRequiredPatterns,
                problem_text::kRequiredPatternTable);
  CheckPrevTail(context);
  CheckReservationRows(context);
}

}  // namespace tsumiki::layout::detail
