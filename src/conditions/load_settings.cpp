#include <optional>

#include "conditions/load_lookups.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader_messages.h"
#include "conditions/roster_writer.h"

namespace tsumiki::load_steps {
namespace {

using workbook::WorkbookError;

int ReadPatternCount(workbook::Workbook& book, const layout::NameSpec& name_spec) {
  const NamedRangeReader reader(book, name_spec);
  const int count = reader.Int();
  if (count < 0) reader.Fail(load_text::kNegativeCount);
  if (count > kMaxPatterns) reader.Fail(load_text::kTooManyPatterns);
  return count;
}

// Sequences: each column decodes to a duty type or "*"; an empty cell or one
// that is no abbreviation leaves its slot at 0.
void ReadPatterns(workbook::Workbook& book, ConditionModel& model, const layout::NameSpec& name_spec,
                  int count, int columns, IndexGrid<int>& patterns) {
  if (count == 0) return;
  const NamedRangeReader reader(book, name_spec);
  reader.RequireSize(count, columns);
  for (int p = 1; p <= count; ++p) {
    for (int k = 1; k <= columns; ++k) {
      const int c = AbbrevToType(model, reader.Text(p, k));
      if (c > 0) {
        patterns(p, k) = c;
        patterns(p, 0) += 1;
      }
    }
  }
}

// An optional flag: `missing` when the name is absent or unreadable.
template <typename Test>
bool ReadOptionalFlag(workbook::Workbook& book, const layout::NameSpec& name_spec, bool missing,
                      Test test) {
  try {
    const std::optional<NamedRangeReader> reader = NamedRangeReader::IfPresent(book, name_spec);
    if (!reader) return missing;
    return test(*reader);
  } catch (const WorkbookError&) {
    return missing;
  }
}

}  // namespace

void ReadBasicSettings(LoadContext& ctx) {
  workbook::Workbook& book = ctx.book;
  ConditionModel& model = ctx.model;

  const NamedRangeReader day_before(book, layout::kDayBefore);
  for (int t = 1; t <= model.TypeCount; ++t) model.NextDayBan(t) = day_before.Int(1, t);

  model.MaxConsecWork = NamedRangeReader(book, layout::kMaxConsecWork).ValueTextInt();
  model.MaxConsecRest = NamedRangeReader(book, layout::kMaxConsecRest).ValueTextInt();

  model.ForbiddenPatternCount = ReadPatternCount(book, layout::kForbiddenPatternCnt);
  ReadPatterns(book, model, layout::kForbiddenPatterns, model.ForbiddenPatternCount, 5,
               model.ForbiddenPatterns);
  model.RequiredPatternCount = ReadPatternCount(book, layout::kRequiredPatternCnt);
  ReadPatterns(book, model, layout::kRequiredPatterns, model.RequiredPatternCount, 2,
               model.RequiredPatterns);

  model.PreventSingleWork = NamedRangeReader(book, layout::kPreventSingleWork).IsTrue();
  // Off only when the cell says FALSE: a workbook without it adjusts.
  model.WorkDayAdjust = !ReadOptionalFlag(book, layout::kWorkDayAdjust, false,
                                          [](const NamedRangeReader& r) { return r.IsFalse(); });
  model.WorkFocus = ReadOptionalFlag(book, layout::kWorkFocus, false,
                                     [](const NamedRangeReader& r) { return r.IsTrue(); });
  model.ImproveSeconds = ctx.improve_seconds;
  if (const auto reader = NamedRangeReader::IfPresent(book, layout::kImproveSeconds)) {
    model.ImproveSeconds = reader->Single();
    if (!(model.ImproveSeconds >= 0.0f)) reader->Fail(load_text::kNegativeCount);
  }
  try {
    if (const auto reader = NamedRangeReader::IfPresent(book, layout::kStatusPosition)) {
      ctx.status_position = reader->Int();
    }
  } catch (const WorkbookError&) {
    // Keeps the position the windows had.
  }

  const NamedRangeReader weights(book, layout::kWeights);
  const int cells = weights.range().CellCount();
  if (cells > kWeightCount) weights.Fail(load_text::kTooManyWeights);
  for (int i = 1; i <= cells; ++i) {
    model.OptimiseWeights(i) =
        weights.ValueTextSingle(weights.RowOfIndex(i), weights.ColumnOfIndex(i));
  }
}

void ReadPastTotals(LoadContext& ctx) {
  ConditionModel& model = ctx.model;
  const auto use = NamedRangeReader::IfPresent(ctx.book, layout::kUsePast);
  if (!use || !use->IsTrue()) return;
  Status(ctx, load_text::kStatusPastTotals);
  const NamedRangeReader totals(ctx.book, layout::kPastTotals);
  totals.RequireSize(model.MemberCount, kTallyTotal);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      RosterWriter::SetPastTotal(model, m, t, totals.Int(m, t));
    }
    RosterWriter::SetPastTotal(model, m, kTallyTotal, totals.Int(m, kTallyTotal));
  }
}

}  // namespace tsumiki::load_steps
