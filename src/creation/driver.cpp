#include "creation/driver.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <vector>

#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "conditions/loader.h"
#include "conditions/roster_writer.h"
#include "creation/day_filling.h"
#include "creation/driver_texts.h"
#include "creation/feasibility_check.h"
#include "creation/time_limit.h"
#include "exact/relaxation.h"
#include "optimise/improve_search.h"
#include "optimise/open_slot_search.h"
#include "optimise/optimise_search.h"
#include "optimise/random_swap.h"
#include "optimise/repair_search.h"
#include "optimise/search_context.h"
#include "roster/duty_refusal.h"
#include "roster/extra_rules.h"
#include "roster/month_objective.h"
#include "roster/patterns.h"
#include "roster/refusal_texts.h"
#include "roster/roster_change.h"
#include "roster/roster_score.h"
#include "ui/app_identity.h"
#include "ui/status.h"
#include "ui/wait.h"
#include "workbook/workbook_error.h"

namespace tsumiki {

namespace {

using workbook::AppState;
using workbook::CellRange;

// Attempts at a day after an earlier day of the pass was left open.
constexpr int kAttemptsAfterOpenDay = 1;
// The least of the improvement's time left for the model to better its month.
constexpr std::int64_t kLeastBetterMs = 1000;
// The repair search's time before it leaves the month to the model mending it
// beside: where the search mends the limits, it does so within a second.
constexpr std::int64_t kSearchBesideModelMs = 1000;

void Status(const EngineContext& ctx, std::string_view text, Bgr text_colour = 0,
            Bgr back_colour = 0) {
  ShowStatus(ctx.host, text, text_colour, back_colour, /*topmost=*/false,
             ctx.session.StatusPosition);
}

// The run's deadline, or none before the conditions set it.
std::int64_t DeadlineOf(const RunState& run) {
  return run.DeadlineMs >= 0 ? run.DeadlineMs : std::numeric_limits<std::int64_t>::max();
}

// What the searches on the month may touch: no session value but the status place,
// and where an optimisation reports its progress.
SearchContext SearchesOf(const EngineContext& ctx, OptimiseProgress* progress = nullptr) {
  return SearchContext{ctx.model,  ctx.book,
                       ctx.host,   ctx.run,
                       ctx.random, ctx.session.StatusPosition,
                       progress};
}

CellRange RosterRange(const EngineContext& ctx) {
  return layout::Range(ctx.book, layout::kTimeTable);
}

// The block of Time_Table that holds members 1..count on day d.
CellRange DayBlock(const CellRange& table, int member_count, int d) {
  CellRange block = table;
  block.left = table.left + d - 1;
  block.right = block.left;
  block.bottom = table.top + member_count - 1;
  return block;
}

// The failed day as the search saw it when nobody was left for the slot.
std::string ExplainFailedSlot(const ConditionModel& model, const RunState& run) {
  ConditionModel at_failure = model;
  const int d = run.FailedSlot.day;
  if (run.FailedColumn.size() == static_cast<std::size_t>(model.MemberCount) + 1) {
    DayColumn column = SaveDayColumn(at_failure, d);
    for (int m = 1; m <= model.MemberCount; ++m) {
      column.roster(m) = run.FailedColumn[static_cast<std::size_t>(m)];
    }
    RestoreDayColumn(at_failure, d, column);
  }
  return ExplainDayDuty(at_failure, d, run.FailedSlot.type);
}

// One line per duty and day staffed below the need, as the relaxation words a
// person short.
std::vector<std::string> OpenPlaceLines(const ConditionModel& model) {
  exact::Relaxation open;
  for (const OpenPlace& place : OpenPlaces(model)) {
    open.items.push_back(exact::Shortfall{.kind = exact::Shortfall::Kind::kStaffShort,
                                          .day = place.day,
                                          .type = place.type,
                                          .amount = place.missing});
  }
  return exact::RelaxationLines(model, open);
}

Notice CannotStaffNotice(const std::string& message) {
  return Notice{.text = message,
                .title = std::string(refusal_text::kCannotStaffTitle),
                .icon = MsgIcon::kExclamation};
}

bool FailedSlotKnown(const ConditionModel& model, const DaySlot& slot) {
  return slot.day >= 1 && slot.day <= model.DayCount && slot.type >= 1 &&
         slot.type <= model.TypeCount;
}

}  // namespace

std::string ElapsedText(std::int64_t elapsed_ms) {
  if (elapsed_ms < 0) elapsed_ms = 0;
  const std::int64_t seconds = elapsed_ms / 1000;
  const std::int64_t minutes = (seconds / 60) % 60;  // whole hours are not shown
  const std::int64_t secs = seconds % 60;
  std::string text;
  text += static_cast<char>('0' + minutes / 10);
  text += static_cast<char>('0' + minutes % 10);
  text += ':';
  text += static_cast<char>('0' + secs / 10);
  text += static_cast<char>('0' + secs % 10);
  return text;
}

std::string_view CreationModeCaption(int mode) {
  switch (mode) {
    case kModeMinimiseSingleHigh:
      return "単勤・単休 最少化（高）";
    case kModeMinimiseSingleLow:
      return "単勤・単休 最少化（低）";
    default:
      return "確保優先";
  }
}

std::string 単勤単休総数情報(const EngineContext& ctx) {
  // The sheet may have been edited by hand since the roster was built: the text
  // counts what it shows, and the roster and its tallies follow it.
  ReadRosterBack(ctx, 1, ctx.model.DayCount, /*quiet=*/false);
  const ConditionModel& model = ctx.model;
  int filled = 0;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      if (model.Roster(m, d) > 0) ++filled;
    }
  }
  if (filled == 0) return std::string(kNoRosterData);
  int whole_month = 0;
  const int single_work =
      SingleDayTotal(model, RunKind::kWork, /*run_length=*/1, /*first=*/0, whole_month);
  whole_month = 0;
  const int single_rest =
      SingleDayTotal(model, RunKind::kRest, /*run_length=*/1, /*first=*/0, whole_month);
  std::string text(CreationModeCaption(ctx.session.CreationMode));
  text += "\n\n";
  text += kSingleWorkLabel;
  text += std::to_string(single_work) + "\n";
  text += kSingleRestLabel;
  text += std::to_string(single_rest) + "\n";
  return text;
}

CreationDriver::CreationDriver(const EngineContext& context, CreationProgress& progress)
    : ctx_(context), progress_(progress), exact_(context) {}

void CreationDriver::TakeExactNotices() {
  for (Notice& notice : exact_.TakeNotices()) notices_.push_back(std::move(notice));
}

void CreationDriver::Notify(DriverEvent event, int day) {
  if (observer_) observer_(event, day);
}

void CreationDriver::TallyDay(int d) {
  ConditionModel& model = ctx_.model;
  for (int m = 1; m <= model.MemberCount; ++m) {
    // The load counted the reservation it placed; every other duty of the day, also
    // one a required sequence fixed during the run, is counted here.
    int counted = loaded_fixed_(m, d);
    if (counted < 1 || counted > model.TypeCount) counted = 0;
    CountFilledCell(model, m, d, counted);
  }
}

void CreationDriver::WriteDay(int d) {
  ConditionModel& model = ctx_.model;
  if (model.MemberCount < 1) return;
  const CellRange block = DayBlock(RosterRange(ctx_), model.MemberCount, d);
  workbook::Table values = ctx_.book.ReadRange(block);
  for (int m = 1; m <= model.MemberCount; ++m) {
    ctx_.host.DoEvents();
    if (StopRequested(ctx_.run, ctx_.host.MonotonicMs())) return;  // the partial column is not written
    const int type = model.Roster(m, d);
    values[static_cast<std::size_t>(m - 1)][0] = type >= 1
                                                     ? workbook::CellValue(model.TypeAbbrev(type))
                                                     : workbook::CellValue(std::string());
  }
  ctx_.book.WriteBlock(block, values);
}

bool CreationDriver::OnePass(int pass_number, bool& repeat) {
  ConditionModel& model = ctx_.model;
  RunState& run = ctx_.run;
  Host& host = ctx_.host;

  run.RosterComplete = false;
  run.ModelLoaded = false;
  Status(ctx_, pass_number == 1 ? kStatusPreparing : kStatusRetrying);
  Collect(notices_,
          ctx_.book.RunMacro(ctx_.session.WorkbookName + std::string(layout::kMacroClear)));
  LoadResult loaded = LoadRosterConditions(ctx_);
  const int start = loaded.start_day;
  if (start < 0) {
    Collect(notices_, std::move(loaded.refusal));
    Status(ctx_, "");
    load_failed_ = true;
    return false;
  }
  loaded_fixed_ = model.Fixed;
  // A warning of the first load waits for the planner (a message box on the
  // desktop): the time spent reading it is not the run's.
  if (pass_number == 1 && run.LoadWarned) run.RunStartTime = host.MonotonicMs();
  // The limit counts from the start of the whole run, whatever the passes took.
  run.DeadlineMs = run.RunStartTime + TimeLimitMs(model.TimeLimitMinutes);
  if (start > 1) ReadRosterBack(ctx_, 1, start - 1, /*quiet=*/false);
  Notify(DriverEvent::kLoaded, start);
  if (pass_number == 1) {
    // A month that no pass could staff ends here, before any day is filled.
    cannot_staff_ = FindStaffingProblem(model);
    // The model starts either way: beside the search, or to find the least that
    // must give for the month the pre-check refused.
    exact_.Start();
    if (cannot_staff_) {
      Status(ctx_, "");
      return false;
    }
  }

  progress_.PassStarted(pass_number, model.DayCount);
  ctx_.book.SetAppState(
      AppState{.screen_updating = true, .automatic_calculation = false, .events = false});

  DayFillContext fill = DayFillContext::From(ctx_);
  bool has_open_days = false;
  DaySlot first_failed_slot;
  std::vector<int> first_failed_column;
  int d = model.StartDay;
  for (; d <= model.DayCount; ++d) {
    progress_.DayStarted(d);
    if (StopRequested(run, host.MonotonicMs())) {
      repeat = false;
      break;
    }
    run.DaySuccessCount = 0;
    host.DoEvents();
    // Once a day was left open the pass is bound for the search anyway: a day
    // after it gets one attempt, not the whole 試行回数 with a shake between each.
    const int attempts =
        has_open_days ? std::min(model.AttemptsPerDay, kAttemptsAfterOpenDay) : model.AttemptsPerDay;
    for (int t = 1; t <= attempts; ++t) {
      host.DoEvents();
      if (StopRequested(run, host.MonotonicMs())) {
        repeat = false;
        break;
      }
      const DayColumn saved = SaveDayColumn(model, d);
      if (TryDay(fill, d) == DayResult::kFilled) {
        ++run.DaySuccessCount;
        TallyDay(d);
        break;
      }
      RestoreDayColumn(model, d, saved);
      if (d > 1) {
        const bool shake = ctx_.session.CreationMode >= 1 || run.PassCount >= 7;
        if (shake && t % 2 == 0) {
          RandomSwapPass(SearchesOf(ctx_), ctx_.session.CreationMode, d - 1);
          if (d != model.DayCount) continue;
        }
        Optimise(SearchesOf(ctx_, &progress_), /*first_argument=*/1, /*passes=*/1, d - 1);
      }
    }
    // A day no attempt could fill keeps what can be placed; its open places are
    // filled by the search after the last day instead of building the month again.
    const bool left_open = run.DaySuccessCount == 0 && !StopRequested(run, host.MonotonicMs());
    if (left_open) {
      if (!has_open_days) {
        first_failed_slot = run.FailedSlot;
        first_failed_column = run.FailedColumn;
      }
      FillDayLeavingOpen(fill, d);
      TallyDay(d);
      has_open_days = true;
    }
    WriteDay(d);
    if (run.DaySuccessCount == 0 && !left_open) {
      FailPass();
      break;
    }
    Notify(DriverEvent::kDayBuilt, d);
  }
  // A run that ends before the search names the first day that could not be
  // filled, where the trouble began, not the last attempt that failed.
  if (has_open_days) {
    run.FailedSlot = first_failed_slot;
    run.FailedColumn = first_failed_column;
  }
  bool whole = d > model.DayCount && (run.DaySuccessCount > 0 || has_open_days);
  if (whole && has_open_days) {
    whole = FillOpenSlots();
    if (whole) FixRequiredSequences(model);
  }
  // The day filling cannot promise least counts and shortest runs. Where the
  // work-day adjustment is still to place days they are judged after it (see
  // StartAction); else exchanges between members mend them where they can, and a
  // month that still misses them is left to the exact model, as a month with open
  // places is.
  const bool days_to_place = model.WorkDayAdjust && WorkDayShortfall(model) > 0;
  if (whole && !days_to_place && !ExtraLimitsKept(model)) {
    if (!MendLimits()) whole = OpenSlotsLeft();
  }

  ctx_.book.SelectRange(ctx_.book.SheetName(ctx_.book.ActiveSheet()), "A1");
  ctx_.book.SetAppState(
      AppState{.screen_updating = true, .automatic_calculation = true, .events = false});

  if (whole) {
    run.RosterComplete = true;
    repeat = false;
    Status(ctx_, kStatusMonthFilled, kColourBlue);
    WaitWithEvents(host, kPauseMonthFilledMs);
    Status(ctx_, model.WorkDayAdjust ? kStatusOptimiseAndAdjust : kStatusOptimise);
    WaitWithEvents(host, kPauseBeforeOptimiseMs);
  }

  progress_.PassEnded();
  if (run.AbortRequested) repeat = false;
  ++run.PassCount;
  Notify(DriverEvent::kPassEnded, d);
  return true;
}

void CreationDriver::FailPass() {
  Status(ctx_, kStatusDayFailed, kColourRed);
  // A run that is to stop does not pause before the next attempt.
  if (!StopRequested(ctx_.run, ctx_.host.MonotonicMs())) {
    WaitWithEvents(ctx_.host, kPauseDayFailedMs);
  }
}

bool CreationDriver::MendLimits() {
  // The model mends a copy of the month beside the search: where the search
  // cannot, the model's month is ready sooner (AfterFailedPass takes it).
  exact_.MendBeside(loaded_fixed_);
  std::int64_t deadline = DeadlineOf(ctx_.run);
  if (exact_.Mending()) deadline = std::min(deadline, ctx_.host.MonotonicMs() + kSearchBesideModelMs);
  if (!MendExtraLimits(SearchesOf(ctx_), loaded_fixed_, deadline)) return false;
  exact_.EndMend();
  return true;
}

bool CreationDriver::FillOpenSlots() {
  ConditionModel& model = ctx_.model;
  RunState& run = ctx_.run;
  if (OpenSlotCount(model) == 0) return true;
  const std::int64_t deadline = DeadlineOf(run);
  if (CloseOpenSlots(SearchesOf(ctx_), loaded_fixed_, deadline)) return true;
  // The month with the fewest open places is the one to show if the time runs out.
  std::vector<std::string> open = OpenPlaceLines(model);
  if (best_open_places_.empty() || open.size() < best_open_places_.size()) {
    best_open_places_ = std::move(open);
  }
  // A run that ends here names a place the search could not fill, as the month
  // stands, rather than the last day an attempt failed on.
  const DaySlot hole = FirstOpenSlot(model);
  if (hole.day >= 1) {
    run.FailedSlot = hole;
    run.FailedColumn.assign(static_cast<std::size_t>(model.MemberCount) + 1, 0);
    for (int m = 1; m <= model.MemberCount; ++m) {
      run.FailedColumn[static_cast<std::size_t>(m)] = model.Roster(m, hole.day);
    }
  }
  if (StopRequested(run, ctx_.host.MonotonicMs())) return false;
  return OpenSlotsLeft();
}

bool CreationDriver::OpenSlotsLeft() {
  // The month is built again by a new pass, unless the exact model, still to be
  // asked, answers first (RunCreationPasses asks it before the next pass).
  if (!exact_.WillAnswer()) FailPass();
  return false;
}

bool CreationDriver::RunCreationPasses() {
  RunState& run = ctx_.run;
  bool repeat = true;
  int pass_number = 0;
  run.AbortRequested = false;
  ctx_.random.Reseed(ctx_.host);
  while (repeat) {
    ++pass_number;
    if (!OnePass(pass_number, repeat)) break;
    // Where the month would be started again, the exact model answers first.
    if (repeat && !run.RosterComplete) {
      exact_.MendBeside(loaded_fixed_);
      const ExactFallback::Verdict verdict = exact_.AfterFailedPass(loaded_fixed_);
      exact_month_ = exact_month_ || verdict == ExactFallback::Verdict::kMonth;
      if (verdict != ExactFallback::Verdict::kGoOn) repeat = false;
    }
    TakeExactNotices();
  }
  // The pre-check names the first day or member at fault; the model, when it
  // runs, proves it and finds the least that must give.
  // The pre-check's own message is ready now: the model's proof and least change
  // are worth a short wait, not the whole time limit.
  if (cannot_staff_) {
    exact_.AfterFailedPass(loaded_fixed_, ctx_.host.MonotonicMs() + kRefusedMonthWaitMs);
  }
  TakeExactNotices();
  // The model goes on beside the optimisation: a month whose days are all filled
  // may still miss a target and be built again, and the pass that fails then
  // asks the model for its answer.
  if (!run.RosterComplete || load_failed_) exact_.Stop();
  progress_.PassesStopped();
  Status(ctx_, "");
  return run.RosterComplete && !load_failed_;
}

bool CreationDriver::TakeMonthIfBetter(const IndexGrid<int>& month) {
  // Scored and judged on a copy, so that the roster is written only for a better month.
  ConditionModel trial = ctx_.model;
  for (int m = 1; m <= trial.MemberCount; ++m) {
    for (int d = std::max(1, trial.StartDay); d <= trial.DayCount; ++d) SetDuty(trial, m, d, month(m, d));
  }
  if (!(MonthObjective(trial) < MonthObjective(ctx_.model)) || (judge_ && judge_(trial))) return false;
  const bool written = exact_.WriteMonth(month, loaded_fixed_);
  TakeExactNotices();
  return written;
}

bool CreationDriver::BetterByModel(std::int64_t until_ms) {
  if (ctx_.run.DeadlineMs >= 0) until_ms = std::min(until_ms, ctx_.run.DeadlineMs);
  // Where the improvement ended early, the model betters its month for the time
  // left, from the model's own month so far where that is the better one.
  const bool time_left = until_ms - ctx_.host.MonotonicMs() >= kLeastBetterMs;
  bool better = false;
  if (time_left) {
    if (const std::optional<IndexGrid<int>> so_far = exact_.MonthSoFar()) better = TakeMonthIfBetter(*so_far);
  }
  for (const IndexGrid<int>& month :
       exact_.BestMonthsBy(until_ms, time_left && ctx_.model.Extra.HasSoft ? &loaded_fixed_ : nullptr)) {
    better = TakeMonthIfBetter(month) || better;
  }
  return better;
}

ExactFallback::Verdict CreationDriver::AskExactAfterShortfall(int shortfalls) {
  // A month short of a target is mostly met by the next pass or two, well before the
  // model's answer; a workbook with wishes or desired staffing wants the model's
  // weighed month at once, as its passes may fill every day and miss every time.
  const bool ask = ctx_.model.Extra.HasSoft || shortfalls >= kShortfallsBeforeExact;
  if (!ask || !ctx_.model.WorkDayAdjust || !exact_.WillAnswer()) {
    return ExactFallback::Verdict::kGoOn;
  }
  exact_.MendBeside(loaded_fixed_);
  const ExactFallback::Verdict verdict = exact_.AfterFailedPass(loaded_fixed_);
  TakeExactNotices();
  return verdict;
}

void CreationDriver::ReportNoMonth(CreateResult& result) {
  const exact::Relaxation& relaxation = *exact_.NoMonth();
  result.outcome = CreateOutcome::kNoMonthExists;
  result.relaxation = exact::RelaxationLines(ctx_.model, relaxation);
  result.no_month = relaxation;
  if (ctx_.session.WriteNearestMonth) result.nearest_written = exact_.WriteNearestMonth(loaded_fixed_);
  TakeExactNotices();
  // The box says that and what happened to the roster; the lines go to the
  // window the planner keeps open while changing the conditions.
  result.message = kNoMonth;
  if (!result.relaxation.empty()) {
    result.explanation = layout::Format(relaxation.least ? kLeastChange : kSomeChange,
                                        {std::to_string(relaxation.total)});
    for (const std::string& line : result.relaxation) result.explanation += "\n　" + line;
  }
  result.message += "\n\n";
  result.message += result.nearest_written ? kNearestWritten : kRosterKept;
}

CreateResult CreationDriver::StartAction() {
  ConditionModel& model = ctx_.model;
  RunState& run = ctx_.run;
  Host& host = ctx_.host;
  CreateResult result;
  bool succeeded = false;

  run.RunStartTime = host.MonotonicMs();
  run.PassCount = 0;
  run.LoadWarned = false;
  run.FailedSlot = DaySlot{};
  run.FailedColumn.clear();
  run.DeadlineMs = -1;  // set once the conditions give the limit
  run.DeadlinePassed = false;
  run.RosterComplete = false;
  load_failed_ = false;
  exact_month_ = false;
  cannot_staff_.reset();
  best_open_places_.clear();
  notices_.clear();
  exact_.Reset();
  progress_.RunStarted();

  // The roster as it was, put back if the run stops on a failure nobody expected.
  std::optional<workbook::Table> before;
  std::optional<CellRange> table;
  try {
    table = RosterRange(ctx_);
    before = ctx_.book.ReadRange(*table);

    bool repeat = true;
    int shortfalls = 0;
    while (repeat) {
      if (StopRequested(run, host.MonotonicMs()) || !RunCreationPasses()) break;
      Optimise(SearchesOf(ctx_, &progress_), /*first_argument=*/1, /*passes=*/1, model.DayCount);
      Notify(DriverEvent::kOptimised, 1);
      if (StopRequested(run, host.MonotonicMs())) break;
      Optimise(SearchesOf(ctx_, &progress_), /*first_argument=*/1, /*passes=*/2, model.DayCount);
      Notify(DriverEvent::kOptimised, 2);
      if (StopRequested(run, host.MonotonicMs())) break;
      const bool within_ranges = exact_month_ && ShortfallBelowFewest(model) == 0;
      // Members still short of their targets: the repair search places the
      // missing days before the month is given up and built again.
      // Where optional hard limits are set, they are mended with the missing days
      // (and judged now, if the passes left them to be judged once the work days
      // were placed): moves that must keep them find little room to place days.
      if (model.Extra.HasHard && !within_ranges) {
        MendLimits();
        if (StopRequested(run, host.MonotonicMs())) break;
      } else if (WorkDayShortfall(model) > 0 && !within_ranges) {
        RepairWorkDays(SearchesOf(ctx_), loaded_fixed_, DeadlineOf(run));
        if (StopRequested(run, host.MonotonicMs())) break;
      }
      if ((WorkDayShortfall(model) == 0 || within_ranges) && ExtraLimitsKept(model)) {
        repeat = false;
        succeeded = true;
      } else if (const ExactFallback::Verdict verdict = AskExactAfterShortfall(++shortfalls);
                 verdict != ExactFallback::Verdict::kGoOn) {
        // Where the month would be built again, the model answers first, as
        // after a pass that could not fill a day.
        repeat = false;
        succeeded = verdict == ExactFallback::Verdict::kMonth;
      } else if (model.WorkDayAdjust) {
        Status(ctx_, kStatusTooManyRestDays, kColourBlue, kColourPaleYellow);
        WaitWithEvents(host, kPauseRetryMs);
        Status(ctx_, "");
      } else if (!retry_question_ || !retry_question_()) {
        repeat = false;
        succeeded = true;  // kept as it is, for adjustment by hand
      }
    }
    // A month of the passes where wishes or desired staffing are weighed: the model
    // goes on beside the improvement and its month may yet be the better one.
    const bool model_beside = succeeded && model.Extra.HasSoft && exact_.WillAnswer();
    if (!model_beside) exact_.Stop();
    host.SetTopmost(WindowId::kStartConfirm, true);

    // A month that breaks a rule is no success: the caller puts the month before
    // back and says what breaks.
    std::optional<std::string> refusal = succeeded && judge_ ? judge_(model) : std::nullopt;
    if (refusal) {
      result.elapsed_ms = host.MonotonicMs() - run.RunStartTime;
      result.outcome = CreateOutcome::kBrokenMonth;
      result.message = std::move(*refusal);
    } else if (succeeded) {
      // A month with every target met, or the model's month within the ranges of
      // days off, is made fairer within the improvement budget; an abort during it
      // keeps the best month found.
      if (model.ImproveSeconds > 0 && ShortfallBelowFewest(model) == 0 &&
          !StopRequested(run, host.MonotonicMs())) {
        const std::int64_t improve_end =
            host.MonotonicMs() + std::llround(static_cast<double>(model.ImproveSeconds) * 1000.0);
        const ImproveOutcome improved =
            ImproveRoster(SearchesOf(ctx_), loaded_fixed_, model.ImproveSeconds);
        result.improvement = ImproveScores{improved.before, improved.after};
        if (model.Extra.HasSoft && BetterByModel(improve_end)) {
          result.improvement->after = MonthObjective(model);
        }
      }
      exact_.Stop();
      ctx_.book.RunMacro(ctx_.session.WorkbookName + std::string(layout::kMacroColour));
      layout::FitRosterPrintArea(ctx_.book, model.MemberCount);
      Status(ctx_, kStatusAllDone, kColourBlue, kColourPaleYellow);
      WaitWithEvents(host, kPauseAllDoneMs);
      Status(ctx_, "");
      result.elapsed_ms = host.MonotonicMs() - run.RunStartTime;
      result.totals = 単勤単休総数情報(ctx_);
      result.message =
          std::string(kElapsedPrefix) + ElapsedText(result.elapsed_ms) + "\n\n" + result.totals;
      result.outcome = CreateOutcome::kCreated;
      notices_.push_back(Notice{.text = result.message, .title = std::string(kDoneTitle)});
    } else {
      result.elapsed_ms = host.MonotonicMs() - run.RunStartTime;
      if (exact_.NoMonth()) {
        ReportNoMonth(result);
        if (cannot_staff_) result.message = *cannot_staff_ + "\n\n" + result.message;
        if (!result.nearest_written && before && table) ctx_.book.WriteBlock(*table, *before);
        notices_.push_back(CannotStaffNotice(result.message));
        if (!result.explanation.empty()) {
          result.explanation_title = kWhatMustGiveTitle;
        } else if (FailedSlotKnown(model, run.FailedSlot)) {
          // Nothing the relaxation may give (reservations that break a rule
          // themselves): the day the search could not fill, member by member.
          result.explanation = ExplainFailedSlot(model, run);
          result.explanation_title = refusal_text::kExplanationTitle;
        }
      } else if (cannot_staff_) {
        result.outcome = CreateOutcome::kCannotStaff;
        result.message = *cannot_staff_;
        // The clear that began the pass is not the planner's: the month stays.
        if (before && table) ctx_.book.WriteBlock(*table, *before);
        notices_.push_back(CannotStaffNotice(result.message));
      } else {
        progress_.EndedWithoutMonth();
        result.outcome = load_failed_          ? CreateOutcome::kLoadFailed
                         : run.DeadlinePassed ? CreateOutcome::kTimeLimit
                                              : CreateOutcome::kAborted;
        if (result.outcome == CreateOutcome::kTimeLimit && !best_open_places_.empty()) {
          result.explanation =
              layout::Format(kOpenPlacesAtLimit, {std::to_string(best_open_places_.size())});
          for (const std::string& line : best_open_places_) result.explanation += "\n　" + line;
        }
        if (result.outcome != CreateOutcome::kLoadFailed && FailedSlotKnown(model, run.FailedSlot)) {
          if (!result.explanation.empty()) result.explanation += "\n\n";
          result.explanation += ExplainFailedSlot(model, run);
        }
        if (!result.explanation.empty()) result.explanation_title = refusal_text::kExplanationTitle;
      }
    }
  } catch (const std::exception& error) {
    progress_.PassesStopped();
    Status(ctx_, "");
    const auto* store_error = dynamic_cast<const workbook::WorkbookError*>(&error);
    std::string cause = store_error ? store_error->JapaneseMessage() : error.what();
    // Nothing of a run that failed is left on the sheet.
    bool restored = false;
    if (before && table) {
      try {
        ctx_.book.WriteBlock(*table, *before);
        restored = true;
      } catch (const std::exception&) {
      }
    }
    run.RosterComplete = false;
    result.outcome = CreateOutcome::kFailed;
    result.elapsed_ms = host.MonotonicMs() - run.RunStartTime;
    result.message = std::string(kCreationStopped) + "\n" + cause;
    if (restored) result.message += "\n" + std::string(kRosterRestored);
    notices_.push_back(Notice{.text = result.message,
                              .title = std::string(kCreationStoppedTitle),
                              .icon = MsgIcon::kCritical});
  }
  exact_.Stop();
  run.DeadlineMs = -1;  // later searches (readjustment, optimisation window) have none
  ctx_.book.SetAppState(
      AppState{.screen_updating = true, .automatic_calculation = true, .events = true});
  Notify(DriverEvent::kRunEnded, 0);
  result.notices = std::move(notices_);
  notices_.clear();
  return result;
}

}  // namespace tsumiki
