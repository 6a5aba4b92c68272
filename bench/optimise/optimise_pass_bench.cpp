// One optimisation pass over a full month: 30 members with 6 duty types (also with
// wishes on a quarter of the cells and desired staffing above the need), and 100
// members with 10 duty types. Reports the time of a pass and the candidate
// partners examined per second (each examined partner is one event-loop turn of
// ImproveMemberOnDay; those with a different duty are swapped, checked and, when
// acceptable, scored).

#include <benchmark/benchmark.h>

#include <memory>

#include "conditions/layout.h"
#include "conditions/run_state.h"
#include "optimise/optimise_search.h"
#include "roster/roster_change.h"
#include "roster/swap.h"
#include "workbook/workbook.h"

namespace tsumiki {
namespace {

class CountingHost : public Host {
 public:
  MsgResult MessageBox(std::string_view, std::string_view, MsgButtons, MsgIcon) override {
    return MsgResult::kOk;
  }
  void ShowStatusWindow(const StatusView&) override {}
  void HideStatusWindow() override {}
  void DoEvents() override { ++events; }
  void Sleep(int) override {}
  std::int64_t MonotonicMs() const override { return 0; }
  double SecondsSinceMidnight() const override { return 0; }
  long long events = 0;
};

constexpr int kDays = 30;

// A month where every type needs `per_type` staff a day, filled at random among
// the members still below their target, with the usual rules switched on.
ConditionModel Month(int members, int types, int per_type, RandomSource& random) {
  ConditionModel model;
  model.Resize(kDays, types, members);
  model.StartDay = 1;
  model.MaxConsecWork = 6;
  model.MaxConsecRest = 4;
  model.PreventSingleWork = true;
  for (int w = 1; w <= kWeightCount; ++w) model.OptimiseWeights(w) = 1.0f;
  for (int t = 1; t <= types; ++t) model.TypeAbbrev(t) = "D" + std::to_string(t);
  model.NextDayBan(types) = 1;  // the last type bars type 1 the next day
  for (int m = 1; m <= members; ++m) model.WorkDayTarget(m) = kDays - 8;
  for (int d = 1; d <= kDays; ++d) {
    model.NeedTable(types + 1, d) = per_type * types;
    for (int t = 1; t <= types; ++t) {
      model.NeedTable(t, d) = per_type;
      for (int placed = 0, tries = 0; placed < per_type && tries < 100 * members; ++tries) {
        const int m = 1 + static_cast<int>(random.RandomValue() * members);
        if (model.Roster(m, d) != 0 || model.WorkDays(m) >= model.WorkDayTarget(m)) continue;
        PlaceDuty(model, m, d, t);
        ++placed;
      }
    }
  }
  return model;
}

// Wishes for a duty or a day off on about a quarter of the cells, and one more
// staff than the need desired of every duty on every day.
void AddSoftConditions(ConditionModel& model, RandomSource& random) {
  ExtraConditions& extra = model.Extra;
  extra.HasSoft = true;
  for (int t = 1; t <= model.TypeCount; ++t) {
    extra.DesiredWeight(t) = 2.0f;
    for (int d = 1; d <= kDays; ++d) extra.DesiredStaff(t, d) = model.NeedTable(t, d) + 1;
  }
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= kDays; ++d) {
      if (random.RandomValue() >= 0.25) continue;
      extra.WishDuty(m, d) = static_cast<int>(random.RandomValue() * (model.TypeCount + 1));
      extra.WishWeight(m, d) = 1 + static_cast<int>(random.RandomValue() * 9);
    }
  }
}

std::unique_ptr<workbook::Workbook> RosterBook(const ConditionModel& model) {
  auto book = workbook::Workbook::CreateEmpty(true);
  const int sheet = book->AddSheet(layout::kSheetRoster);
  book->DefineName(layout::kTimeTable.name, {sheet, 3, 2, 2 + model.MemberCount, 1 + kDays}, sheet);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= kDays; ++d) {
      const std::string text = DutyText(model, model.Roster(m, d));
      if (!text.empty()) book->SetValue(sheet, 2 + m, 1 + d, text);
    }
  }
  return book;
}

void OnePass(benchmark::State& state, int members, int types, int per_type, bool soft = false) {
  RandomSource month_random(2024);
  ConditionModel month = Month(members, types, per_type, month_random);
  if (soft) AddSoftConditions(month, month_random);
  auto book = RosterBook(month);
  CountingHost host;
  RunState run;
  long long partners = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ConditionModel model = month;
    RandomSource random(7);
    const SearchContext ctx{model, *book, host, run, random};
    host.events = 0;
    state.ResumeTiming();
    benchmark::DoNotOptimize(OptimisePass(ctx, 1, kDays));
    // One turn per day of the day loop, the rest one per partner examined.
    partners += host.events - kDays;
  }
  state.counters["partners"] =
      benchmark::Counter(static_cast<double>(partners) / static_cast<double>(state.iterations()));
  state.counters["partners_per_s"] =
      benchmark::Counter(static_cast<double>(partners), benchmark::Counter::kIsRate);
}

void BM_OptimisePass_30x6(benchmark::State& state) {
  OnePass(state, 30, 6, 3);
}
void BM_OptimisePass_30x6_Soft(benchmark::State& state) {
  OnePass(state, 30, 6, 3, /*soft=*/true);
}
void BM_OptimisePass_100x10(benchmark::State& state) {
  OnePass(state, 100, 10, 6);
}

BENCHMARK(BM_OptimisePass_30x6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimisePass_30x6_Soft)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OptimisePass_100x10)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tsumiki

BENCHMARK_MAIN();
