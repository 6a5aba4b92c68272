#include "conditions/roster_writer.h"

#include <utility>

namespace tsumiki {

DayColumn SaveDayColumn(const ConditionModel& model, int d) {
  DayColumn saved{IndexArray<int>(0, model.MemberCount + 1),
                  IndexArray<int>(0, model.MemberCount + 1)};
  for (int m = 0; m <= model.MemberCount + 1; ++m) {
    saved.roster(m) = model.Roster(m, d);
    saved.fixed(m) = model.Fixed(m, d);
  }
  return saved;
}

std::string TallyDrift(const ConditionModel& model) {
  IndexArray<int> counts;
  for (int m = 1; m <= model.MemberCount; ++m) {
    counts.Reset(0, model.TypeTally.ColHi());
    for (int d = 1; d <= model.DayCount; ++d) {
      const int type = model.Roster(m, d);
      if (type < 1) continue;
      ++counts(type);
      ++counts(kTallyTotal);
    }
    auto drift = [m](const char* what, int column, int held, int recounted) {
      return std::string(what) + " of member " + std::to_string(m) + ", column " +
             std::to_string(column) + ": " + std::to_string(held) + ", recounted " +
             std::to_string(recounted);
    };
    if (model.WorkDays(m) != counts(kTallyTotal)) {
      return drift("WorkDays", 0, model.WorkDays(m), counts(kTallyTotal));
    }
    for (int t = 1; t <= kTallyTotal; ++t) {
      if (t > model.TypeCount && t < kTallyTotal) continue;
      const int expected = model.PastTotals(m, t) + counts(t);
      if (model.TypeTally(m, t) != expected) {
        return drift("TypeTally", t, model.TypeTally(m, t), expected);
      }
    }
  }
  return {};
}

void RosterWriter::Count(ConditionModel& model, int m, int type, int delta) {
  if (type < 1) return;
  model.TypeTally.Cell(m, type) += delta;
  model.TypeTally.Cell(m, kTallyTotal) += delta;
  model.WorkDays.Cell(m) += delta;
}

void RosterWriter::SetDuty(ConditionModel& model, int m, int d, int type) {
  Count(model, m, model.Roster(m, d), -1);
  model.Roster.Cell(m, d) = type;
  Count(model, m, type, +1);
}

void RosterWriter::SwapDuties(ConditionModel& model, int a, int b, int d) {
  const int x = model.Roster(a, d);
  const int y = model.Roster(b, d);
  model.Roster.Cell(a, d) = y;
  model.Roster.Cell(b, d) = x;
  Count(model, a, y, +1);
  Count(model, a, x, -1);
  Count(model, b, x, +1);
  Count(model, b, y, -1);
}

void RosterWriter::WriteUncounted(ConditionModel& model, int m, int d, int type) {
  model.Roster.Cell(m, d) = type;
}

void RosterWriter::WriteFixedUncounted(ConditionModel& model, int m, int d, int type) {
  model.Roster.Cell(m, d) = type;
  model.Fixed.Cell(m, d) = type;
}

void RosterWriter::RestoreDay(ConditionModel& model, int d, const DayColumn& saved) {
  for (int m = 0; m <= model.MemberCount + 1; ++m) {
    model.Roster.Cell(m, d) = saved.roster(m);
    model.Fixed.Cell(m, d) = saved.fixed(m);
  }
}

void RosterWriter::CountCell(ConditionModel& model, int m, int d, int counted) {
  const int now = model.Roster(m, d);
  if (counted == now) return;
  Count(model, m, counted, -1);
  Count(model, m, now, +1);
}

void RosterWriter::CountDays(ConditionModel& model, int first, int last) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = first; d <= last; ++d) Count(model, m, model.Roster(m, d), +1);
  }
}

void RosterWriter::RecountMonth(ConditionModel& model) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    model.WorkDays.Cell(m) = 0;
    for (int t = 1; t <= kTallyTotal; ++t) {
      model.TypeTally.Cell(m, t) = 0;
      model.PastTotals.Cell(m, t) = 0;
    }
  }
  CountDays(model, 1, model.DayCount);
}

void RosterWriter::SetFixed(ConditionModel& model, int m, int d, int type) {
  model.Fixed.Cell(m, d) = type;
}

void RosterWriter::SwapFixed(ConditionModel& model, int a, int b, int d) {
  std::swap(model.Fixed.Cell(a, d), model.Fixed.Cell(b, d));
}

void RosterWriter::SetPastTotal(ConditionModel& model, int m, int column, int value) {
  model.TypeTally.Cell(m, column) += value - model.PastTotals(m, column);
  model.PastTotals.Cell(m, column) = value;
}

}  // namespace tsumiki
