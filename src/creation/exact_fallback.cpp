#include "creation/exact_fallback.h"

#include <chrono>
#include <limits>

#include "conditions/layout.h"
#include "creation/driver_texts.h"
#include "roster/duty_mask.h"
#include "roster/patterns.h"
#include "roster/roster_change.h"
#include "roster/roster_sheet.h"
#include "ui/status.h"

namespace tsumiki {

namespace {

// Without a time limit the model still ends: an hour is more than any workbook
// of the benchmarks needs by two orders of magnitude.
constexpr double kUnlimitedSeconds = 3600;

void Status(const EngineContext& ctx, std::string_view text, Bgr text_colour = 0) {
  ShowStatus(ctx.host, text, text_colour, 0, /*topmost=*/false, ctx.session.StatusPosition);
}

// The model's budget: the time left to the run's deadline.
double SecondsLeft(const EngineContext& ctx) {
  if (ctx.run.DeadlineMs < 0) return kUnlimitedSeconds;
  return static_cast<double>(ctx.run.DeadlineMs - ctx.host.MonotonicMs()) / 1000.0;
}

}  // namespace

void ExactFallback::Reset() {
  Stop();
  started_ = false;
  mending_ = false;
  asked_ = false;
  no_month_.reset();
}

void ExactFallback::Start() {
  if (started_ || !ctx_.session.UseExactModel) return;
  started_ = true;
  runner_.Start(ctx_.model, SecondsLeft(ctx_));
}

void ExactFallback::MendBeside(const IndexGrid<int>& loaded_fixed) {
  if (!WillAnswer() || mending_) return;
  mending_ = true;
  StartOnMonth(loaded_fixed, SecondsLeft(ctx_), exact::ExactRunner::Task::kMend);
}

void ExactFallback::StartOnMonth(const IndexGrid<int>& loaded_fixed, double seconds,
                                 exact::ExactRunner::Task task) {
  // Duties a required sequence fixed during the pass may move: the model holds
  // only the load's reservations.
  ConditionModel month = ctx_.model;
  for (int m = 1; m <= month.MemberCount; ++m) {
    for (int d = 1; d <= month.DayCount; ++d) SetFixedMark(month, m, d, loaded_fixed(m, d));
  }
  mender_.Start(month, seconds, task);
}

std::optional<exact::ExactAnswer> ExactFallback::MendedMonth() {
  if (!mending_) return std::nullopt;
  std::optional<exact::ExactAnswer> mended = mender_.Poll();
  if (!mended || mended->kind != exact::ExactAnswer::Kind::kMonth) return std::nullopt;
  return mended;
}

ExactFallback::Verdict ExactFallback::AfterFailedPass(IndexGrid<int>& loaded_fixed,
                                                      std::int64_t give_up_ms) {
  if (!started_ || asked_) return Verdict::kGoOn;
  asked_ = true;
  Status(ctx_, kStatusExactSearching);
  std::optional<exact::ExactAnswer> answer;
  while (!answer) {
    ctx_.host.DoEvents();
    const std::int64_t now = ctx_.host.MonotonicMs();
    const bool give_up = now >= give_up_ms;
    if (give_up || StopRequested(ctx_.run, now)) {
      Stop();
      // A proof reached before the time limit stands, with the relaxation found
      // by then; 中止 ends the run as the planner asked.
      answer = runner_.Poll();
      const bool in_time = give_up || ctx_.run.DeadlinePassed;
      if (!in_time || !answer || answer->kind != exact::ExactAnswer::Kind::kNoMonth) {
        return Verdict::kGoOn;
      }
      break;
    }
    answer = runner_.WaitFor(std::chrono::milliseconds(10));
    if (!answer && (answer = MendedMonth())) {
      // The model's own search goes on where it weighs wishes or desired
      // staffing: its month may yet be the better one (BestMonthsBy).
      asked_ = !ctx_.model.Extra.HasSoft;
    }
  }
  mender_.Stop();
  if (asked_) runner_.Stop();
  Status(ctx_, "");
  switch (answer->kind) {
    case exact::ExactAnswer::Kind::kMonth:
      if (!LoadAndWrite(answer->month, loaded_fixed)) return Verdict::kGoOn;
      ctx_.run.RosterComplete = true;
      Status(ctx_, kStatusMonthFilled, kColourBlue);
      return Verdict::kMonth;
    case exact::ExactAnswer::Kind::kNoMonth:
      no_month_ = std::move(answer->relaxation);
      return Verdict::kNoMonth;
    case exact::ExactAnswer::Kind::kStopped:
      break;
  }
  return Verdict::kGoOn;
}

std::vector<IndexGrid<int>> ExactFallback::BestMonthsBy(std::int64_t until_ms,
                                                        const IndexGrid<int>* loaded_fixed) {
  const bool beside = WillAnswer();
  asked_ = true;
  const bool better = started_ && loaded_fixed != nullptr;
  if (better) {
    const double seconds = static_cast<double>(until_ms - ctx_.host.MonotonicMs()) / 1000.0;
    StartOnMonth(*loaded_fixed, seconds, exact::ExactRunner::Task::kBetter);
  }
  if (!beside && !better) return {};
  Status(ctx_, kStatusExactSearching);
  auto finished = [&](exact::ExactRunner& runner, bool running) {
    return !running || runner.WaitFor(std::chrono::milliseconds(0)).has_value();
  };
  while (ctx_.host.MonotonicMs() < until_ms) {
    ctx_.host.DoEvents();
    if (StopRequested(ctx_.run, ctx_.host.MonotonicMs())) break;
    const bool mended = finished(mender_, better);
    if (mended && finished(runner_, beside)) break;
    (mended ? runner_ : mender_).WaitFor(std::chrono::milliseconds(10));
  }
  // Stopped, the member searches hand back the best months they had.
  Stop();
  Status(ctx_, "");
  // The months of the time left stand at the time limit; 中止 ends the run as
  // the planner asked.
  std::vector<IndexGrid<int>> months;
  if (StopRequested(ctx_.run, ctx_.host.MonotonicMs()) && !ctx_.run.DeadlinePassed) return months;
  for (const auto& [runner, running] : {std::pair{&runner_, beside}, std::pair{&mender_, better}}) {
    std::optional<exact::ExactAnswer> answer = running ? runner->Poll() : std::nullopt;
    if (answer && answer->kind == exact::ExactAnswer::Kind::kMonth) months.push_back(std::move(answer->month));
  }
  return months;
}

namespace {

// As a pass starts: the roster cleared from the start day and the conditions
// loaded again, so the tallies count the load's reservations and nothing of the
// failed pass; then every cell of the month through the change path.
bool LoadAndWriteMonth(const EngineContext& ctx, const IndexGrid<int>& month,
                       IndexGrid<int>& loaded_fixed, Notices& notices) {
  ConditionModel& model = ctx.model;
  Collect(notices, ctx.book.RunMacro(ctx.session.WorkbookName + std::string(layout::kMacroClear)));
  EngineContext loading = ctx;
  LoadResult loaded = LoadRosterConditions(loading);
  const int start = loaded.start_day;
  if (start < 0) {
    Collect(notices, std::move(loaded.refusal));
    return false;
  }
  loaded_fixed = model.Fixed;
  if (start > 1) ReadRosterBack(ctx, 1, start - 1, /*quiet=*/false);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
      SetDuty(model, m, d, month(m, d));
    }
  }
  FixRequiredSequences(ctx.model);
  WriteRosterDays(ctx.book, model);
  return true;
}

// A person short is a cell nobody holds: the mark goes on a member resting that
// day who may take the duty (any resting member when none may), so the planner
// sees where the duty could go.
void MarkOpenCells(const EngineContext& ctx, const exact::Relaxation& relaxation) {
  const ConditionModel& model = ctx.model;
  const workbook::CellRange grid = layout::Range(ctx.book, layout::kTimeTable);
  std::vector<std::vector<bool>> marked(static_cast<std::size_t>(model.MemberCount) + 1,
                                        std::vector<bool>(static_cast<std::size_t>(model.DayCount) + 1));
  for (const exact::Shortfall& item : relaxation.items) {
    if (item.kind != exact::Shortfall::Kind::kStaffShort) continue;
    int left = item.amount;
    for (const bool strict : {true, false}) {
      for (int m = 1; m <= model.MemberCount && left > 0; ++m) {
        auto cell = marked[static_cast<std::size_t>(m)].begin() + item.day;
        if (*cell || model.Roster(m, item.day) != kRestDay) continue;
        if (strict && MaskHasDuty(model.DutyBanMask(m, item.day), item.type)) continue;
        *cell = true;
        --left;
        const int row = grid.top + m - 1;
        const int column = grid.left + item.day - 1;
        ctx.book.SetInteriorColorIndex(grid.sheet, row, column, kOpenCellInterior);
        ctx.book.SetBorderColorIndex(grid.sheet, row, column, kOpenCellBorder);
      }
    }
  }
}

}  // namespace

bool ExactFallback::LoadAndWrite(const IndexGrid<int>& month, IndexGrid<int>& loaded_fixed) {
  return LoadAndWriteMonth(ctx_, month, loaded_fixed, notices_);
}

bool ExactFallback::WriteNearestMonth(IndexGrid<int>& loaded_fixed) {
  return no_month_ && tsumiki::WriteNearestMonth(ctx_, *no_month_, loaded_fixed, notices_);
}

bool WriteNearestMonth(const EngineContext& ctx, const exact::Relaxation& relaxation,
                       IndexGrid<int>& loaded_fixed, Notices& notices) {
  if (relaxation.nearest.RowHi() < ctx.model.MemberCount) return false;
  if (!LoadAndWriteMonth(ctx, relaxation.nearest, loaded_fixed, notices)) return false;
  ctx.book.RunMacro(ctx.session.WorkbookName + std::string(layout::kMacroColour));
  MarkOpenCells(ctx, relaxation);
  return true;
}

}  // namespace tsumiki
