// TryDay for one day: the cost the creation driver pays per attempt.
//
// The month is first built up to the day measured (so run lengths, tallies and
// sequences look like a real run); each iteration then restores that day's
// column and fills it again with the same generator continuing.

#include <benchmark/benchmark.h>

#include "creation/day_filling.h"
#include "roster/roster_change.h"
#include "support/model_builder.h"
#include "support/scripted_host.h"

namespace tsumiki {
namespace {

void BM_TryDay(benchmark::State& state) {
  testing::WorkplaceShape shape;
  shape.members = static_cast<int>(state.range(0));
  shape.types = static_cast<int>(state.range(1));
  shape.days = 30;
  shape.work_focus = true;
  ConditionModel model = testing::BuildWorkplace(shape);
  RunState run;
  RandomSource random(12345);
  testing::ScriptedHost host;
  DayFillContext ctx{model, run, random, host};

  const int day = 15;
  for (int d = 1; d < day; ++d) {
    const DayColumn before = SaveDayColumn(model, d);
    if (TryDay(ctx, d) == DayResult::kFailed) {
      state.SkipWithError("the month could not be built up to the measured day");
      return;
    }
    for (int m = 1; m <= model.MemberCount; ++m) CountFilledCell(model, m, d, before.roster(m));
  }
  const DayColumn empty_day = SaveDayColumn(model, day);
  int filled = 0;
  for (auto _ : state) {
    RestoreDayColumn(model, day, empty_day);
    filled += TryDay(ctx, day) == DayResult::kFilled ? 1 : 0;
    benchmark::DoNotOptimize(model.Roster(1, day));
  }
  state.counters["filled"] = benchmark::Counter(filled, benchmark::Counter::kAvgIterations);
}

BENCHMARK(BM_TryDay)->Args({30, 6})->Args({100, 10})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tsumiki

BENCHMARK_MAIN();
