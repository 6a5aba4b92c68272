#include "conditions/layout.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"

namespace tsumiki::load_steps {

void CheckRangeSizes(LoadContext& ctx) {
  workbook::Workbook& book = ctx.book;
  const ConditionModel& model = ctx.model;
  const int days = model.DayCount;
  const int types = model.TypeCount;
  const int members = model.MemberCount;
  NamedRangeReader(book, layout::kTypeNames).RequireCells(types);
  NamedRangeReader(book, layout::kDayBefore).RequireSize(1, types);
  NamedRangeReader(book, layout::kMemberList).RequireSize(members, 2);
  NamedRangeReader(book, layout::kMemberDayOff).RequireSize(members, 1);
  NamedRangeReader(book, layout::kNeedTable).RequireSize(types, days);
  NamedRangeReader(book, layout::kMemberRsv).RequireSize(members, days);
  NamedRangeReader(book, layout::kTimeTable).RequireSize(members, days);
  if (const auto schedule = NamedRangeReader::IfPresent(book, layout::kMemberScdl))
    schedule->RequireSize(members, days);
}

}  // namespace tsumiki::load_steps
