#include <string>

#include "conditions/layout.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader_messages.h"

// Conditions that no month can keep: the search would run to its limit and leave
// a month that breaks one of them. Told before the run, with both cells.
namespace tsumiki::load_steps {
namespace {

std::string CellLabel(const NamedRangeReader& reader, int row, int column) {
  const workbook::WorkbookError::Place place = reader.PlaceOf(row, column);
  return place.sheet + "!" + place.cell;
}

bool IsDuty(const ConditionModel& model, int type) {
  return type >= 1 && type <= model.TypeCount;  // not "*" (any duty)
}

bool Banned(const ConditionModel& model, int first, int next) {
  return IsDuty(model, first) && IsDuty(model, next) &&
         ((model.NextDayBan(first) >> (next - 1)) & 1) != 0;
}

// The duty a required sequence puts on the day after `first`, 0 when none.
int RequiredAfter(const ConditionModel& model, int first, int* pattern) {
  for (int p = 1; p <= model.RequiredPatternCount; ++p) {
    if (model.RequiredPatterns(p, 0) == 2 && model.RequiredPatterns(p, 1) == first &&
        IsDuty(model, model.RequiredPatterns(p, 2))) {
      *pattern = p;
      return model.RequiredPatterns(p, 2);
    }
  }
  return 0;
}

int ForbiddenPair(const ConditionModel& model, int first, int next) {
  for (int q = 1; q <= model.ForbiddenPatternCount; ++q) {
    if (model.ForbiddenPatterns(q, 0) == 2 && model.ForbiddenPatterns(q, 1) == first &&
        model.ForbiddenPatterns(q, 2) == next)
      return q;
  }
  return 0;
}

std::string FindSequenceContradiction(LoadContext& ctx) {
  const ConditionModel& model = ctx.model;
  if (model.RequiredPatternCount == 0) return {};
  const NamedRangeReader required(ctx.book, layout::kRequiredPatterns);
  const NamedRangeReader bans(ctx.book, layout::kNextDayBanInput);
  for (int p = 1; p <= model.RequiredPatternCount; ++p) {
    const int first = model.RequiredPatterns(p, 1);
    const int next = model.RequiredPatterns(p, 2);
    if (model.RequiredPatterns(p, 0) != 2 || !IsDuty(model, first) || !IsDuty(model, next))
      continue;
    const std::string pair[] = {model.TypeAbbrev(first), model.TypeAbbrev(next)};
    if (Banned(model, first, next)) {
      return layout::Format(
          load_text::kRequiredAgainstBan,
          {CellLabel(required, p, 1), pair[0], pair[1], CellLabel(bans, first, next)});
    }
    if (const int q = ForbiddenPair(model, first, next)) {
      const NamedRangeReader forbidden(ctx.book, layout::kForbiddenPatterns);
      return layout::Format(
          load_text::kRequiredAgainstForbidden,
          {CellLabel(required, p, 1), pair[0], pair[1], CellLabel(forbidden, q, 1)});
    }
  }
  return {};
}

std::string FindReservationContradiction(LoadContext& ctx) {
  const ConditionModel& model = ctx.model;
  const auto reserved = NamedRangeReader::IfPresent(ctx.book, layout::kMemberRsv);
  if (!reserved) return {};
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = model.StartDay; d < model.DayCount; ++d) {
      const int first = model.Fixed(m, d);
      const int next = model.Fixed(m, d + 1);
      if (!IsDuty(model, first) || !IsDuty(model, next)) continue;
      const std::string who = model.MemberInfo(m, 1) + " " + model.MemberInfo(m, 2);
      if (Banned(model, first, next)) {
        const NamedRangeReader bans(ctx.book, layout::kNextDayBanInput);
        return layout::Format(
            load_text::kReservationsAgainstBan,
            {who, model.TypeAbbrev(first), CellLabel(*reserved, m, d), model.TypeAbbrev(next),
             CellLabel(*reserved, m, d + 1), CellLabel(bans, first, next)});
      }
      int p = 0;
      const int must = RequiredAfter(model, first, &p);
      if (must >= 1 && must != next) {
        const NamedRangeReader required(ctx.book, layout::kRequiredPatterns);
        return layout::Format(
            load_text::kReservationsAgainstRequired,
            {who, model.TypeAbbrev(first), CellLabel(*reserved, m, d), CellLabel(required, p, 1),
             model.TypeAbbrev(must), model.TypeAbbrev(next), CellLabel(*reserved, m, d + 1)});
      }
    }
  }
  return {};
}

}  // namespace

bool CheckContradictions(LoadContext& ctx) {
  std::string text = FindSequenceContradiction(ctx);
  if (text.empty()) text = FindReservationContradiction(ctx);
  if (text.empty()) return true;
  Report(ctx, text, load_text::kContradictionTitle);
  return false;
}

}  // namespace tsumiki::load_steps
