#include "exact/solution_reading.h"

#include <cmath>

namespace tsumiki::exact {

namespace {

int Amount(const SolveResult& solved, int column) {
  return static_cast<int>(std::lround(solved.values[static_cast<std::size_t>(column)]));
}

}  // namespace

Relaxation ReadRelaxation(const ConditionModel& model, const ExactModel& relaxed,
                          const SolveResult& solved) {
  Relaxation out;
  for (const StaffSlack& slack : relaxed.staff_slack) {
    const int amount = Amount(solved, slack.column);
    if (amount > 0) {
      out.items.push_back(
          Shortfall{.kind = Shortfall::Kind::kStaffShort, .day = slack.day, .type = slack.type,
                    .amount = amount});
    }
  }
  for (const TargetSlack& slack : relaxed.target_slack) {
    const int fewer = Amount(solved, slack.fewer_column);
    const int more = Amount(solved, slack.more_column);
    if (fewer > more) {
      out.items.push_back(Shortfall{.kind = Shortfall::Kind::kFewerWorkDays,
                                    .member = slack.member, .amount = fewer - more});
    } else if (more > fewer) {
      out.items.push_back(Shortfall{.kind = Shortfall::Kind::kMoreWorkDays,
                                    .member = slack.member, .amount = more - fewer});
    }
  }
  for (const ComboSlack& slack : relaxed.combo_slack) {
    const int amount = Amount(solved, slack.column);
    if (amount > 0) {
      out.items.push_back(Shortfall{.kind = Shortfall::Kind::kComboShort, .day = slack.day,
                                    .type = model.RequiredCombos(slack.rule).TypeIndex,
                                    .rule = slack.rule, .amount = amount});
    }
  }
  // The optional limits, member by member; a run's cuts add up to one item.
  for (const ExtraSlack& slack : relaxed.extra_slack) {
    const int amount = Amount(solved, slack.column);
    if (amount <= 0) continue;
    Shortfall item{
        .kind = slack.kind, .type = slack.type, .member = slack.member, .amount = amount};
    if (!out.items.empty() && out.items.back().kind == item.kind &&
        out.items.back().member == item.member && out.items.back().type == item.type &&
        out.items.back().day == 0) {
      out.items.back().amount += amount;
    } else {
      out.items.push_back(item);
    }
  }
  for (const Shortfall& item : out.items) out.total += item.amount;
  out.nearest = model.Roster;
  relaxed.cells->ReadMonth(solved.values, out.nearest);
  return out;
}

}  // namespace tsumiki::exact
