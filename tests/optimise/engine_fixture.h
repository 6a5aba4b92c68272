#pragma once

// An engine context over a scripted host and a workbook that holds the roster
// sheet (人員配置表) with its names, for the optimisation tests.

#include <functional>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "conditions/layout.h"
#include "optimise/search_context.h"
#include "roster/swap.h"
#include "support/scripted_host.h"
#include "workbook/workbook.h"
#include "workplace.h"

namespace tsumiki::testing {

// Where the roster sheet's names lie in the test workbook.
inline constexpr int kTableTop = 3;
inline constexpr int kTableLeft = 2;
inline constexpr int kNumberColumn = 40;

// What the optimisation reported, in order.
struct ProgressRecord : OptimiseProgress {
  void OptimiseStarted(int steps) override {
    ++started;
    total = steps;
  }
  void BestScore(float score) override { best.push_back(score); }
  void StepDone(int step) override { last_step = step; }
  void OptimiseEnded() override { ++ended; }

  int started = 0;
  int ended = 0;
  int total = -1;
  int last_step = -1;
  std::vector<float> best;
};

// Everything the optimisation works on, with a workbook that holds the roster
// sheet (人員配置表) and its names.
// A deadline no test reaches.
inline constexpr std::int64_t kNoDeadline = std::int64_t{1} << 60;

class Engine {
 public:
  Engine(ConditionModel start, std::uint64_t seed)
      : model(std::move(start)), random(seed), book(workbook::Workbook::CreateEmpty(true)) {
    sheet = book->AddSheet(layout::kSheetRoster);
    const int rows = std::max(model.MemberCount, 100);
    book->DefineName(layout::kTimeTable.name,
                     {sheet, kTableTop, kTableLeft, kTableTop + rows - 1, kTableLeft + 30}, sheet);
    book->DefineName(layout::kStdDev.name, {sheet, 1, kNumberColumn, 1, kNumberColumn}, sheet);
    book->DefineName(layout::kRestDeviation.name, {sheet, 2, kNumberColumn, 2, kNumberColumn},
                     sheet);
    book->DefineName(layout::kRestBalance.name, {sheet, 3, kNumberColumn, 3, kNumberColumn}, sheet);
    SetNumber(layout::kStdDev, 1.23456);
    SetNumber(layout::kRestDeviation, 4);
    SetNumber(layout::kRestBalance, 4);
    WriteRosterToSheet();
    host.SetAbortHandler([this] { run.AbortRequested = true; });
  }

  void SetNumber(const layout::NameSpec& name_spec, double value) {
    book->WriteCell(layout::Range(*book, name_spec), 1, 1, value);
  }

  // From now on each slice of moves between two looks at the events costs 1 ms of
  // the virtual clock, so budgets in time end a search as they would on a machine.
  void TickOneMillisecondPerLook() {
    tick_ = [this] {
      host.Advance(1);
      host.AtDoEvents(host.DoEventsCount() + 1, tick_);
    };
    host.AtDoEvents(host.DoEventsCount() + 1, tick_);
  }

  // The sheet as the day filling would have written it.
  void WriteRosterToSheet() {
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = 1; d <= model.DayCount; ++d) {
        const std::string text = DutyText(model, model.Roster(m, d));
        book->SetValue(sheet, kTableTop + m - 1, kTableLeft + d - 1,
                       text.empty() ? workbook::CellValue() : workbook::CellValue(text));
      }
    }
  }

  std::string SheetText(int m, int d) const {
    const workbook::CellValue v = book->Value(sheet, kTableTop + m - 1, kTableLeft + d - 1);
    return v.IsText() ? v.Text() : (v.IsEmpty() ? "" : "?");
  }

  // Cells where the sheet does not show the roster, one line each.
  std::string SheetMismatch() const {
    std::string problems;
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = 1; d <= model.DayCount; ++d) {
        if (SheetText(m, d) != DutyText(model, model.Roster(m, d))) {
          problems += "member " + std::to_string(m) + " day " + std::to_string(d) + ": sheet '" +
                      SheetText(m, d) + "'\n";
        }
      }
    }
    return problems;
  }

  SearchContext search() {
    return SearchContext{model, *book, host, run, random, /*status_position=*/0, &progress};
  }
  AdjustContext adjust() { return search().Adjust(); }

  ConditionModel model;
  ScriptedHost host;
  RunState run;
  RandomSource random;
  ProgressRecord progress;
  std::unique_ptr<workbook::Workbook> book;
  int sheet = 0;

 private:
  std::function<void()> tick_;
};

}  // namespace tsumiki::testing
