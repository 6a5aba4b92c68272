#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "conditions/engine_context.h"
#include "creation/exact_fallback.h"
#include "creation/creation_progress.h"
#include "roster/roster_sheet.h"
#include "ui/notice.h"

namespace tsumiki {

// How a creation run ended.
// The notices named are in CreateResult::notices.
enum class CreateOutcome {
  kCreated,     // a complete month; the closing notice
  kAborted,     // the abort button or Ctrl-C
  kTimeLimit,   // the time limit passed (its notice)
  kLoadFailed,  // the conditions were refused (the loader's refusal)
  kFailed,      // an unexpected failure stopped the run (a notice, the roster restored)
  kCannotStaff, // the pre-check found the month cannot be staffed (a notice)
  kNoMonthExists,  // the exact model proved no month exists (a notice with what must give)
  kBrokenMonth,    // a whole month that the month judge refused (its text in message, no notice)
};

// The roster score before and after the improvement phase.
struct ImproveScores {
  float before = 0;
  float after = 0;
};

struct CreateResult {
  CreateOutcome outcome = CreateOutcome::kFailed;
  std::int64_t elapsed_ms = 0;
  std::string message;  // the closing or failure message, as its notice words it
  // What the planner is to be told, in order: the refusals of the macros and the
  // load, then the closing or failure message. Shown by the caller, before the
  // explanation.
  Notices notices{};
  std::string totals;   // for a created month: 単勤単休総数情報, as the message quotes it
  // For a run that ended without a month after a day could not be filled: every
  // member and the first rule that refused them the failed day's duty. For
  // kNoMonthExists: the relaxation's heading and lines, as the window shows them.
  std::string explanation;
  // The title of the window that shows the explanation; empty when it is not to
  // be shown.
  std::string explanation_title;
  // For kNoMonthExists: one line per thing that must give (people short on a day
  // and duty, a member's work days, a required combination), as the message lists
  // them; and whether the nearest month with those cells open was written.
  std::vector<std::string> relaxation;
  bool nearest_written = false;
  // For kNoMonthExists: the relaxation itself, from which a front end can still
  // write the nearest month (WriteNearestMonth) when the planner asks for it.
  std::optional<exact::Relaxation> no_month;
  // Set when the improvement phase ran.
  std::optional<ImproveScores> improvement;
};

// Points of the run at which an observer (tests, the benchmark) may look at the model.
enum class DriverEvent {
  kLoaded,     // after the load and the read-back of the days before the start day
  kDayBuilt,   // after a day was filled and tallied
  kPassEnded,  // at the end of every creation pass
  kOptimised,  // after each Optimise call of the start action
  kRunEnded,   // at the end of the start action
};

// The creation run of frm開始条件確認: passes that fill the month day by day,
// the optimisation of a complete month, and the closing message.
class CreationDriver {
 public:
  using Observer = std::function<void(DriverEvent event, int day)>;
  // Judges a whole month before it is reported: the refusal's text, or nullopt to
  // keep it. Contradicting conditions can leave a month that breaks a rule.
  using MonthJudge = std::function<std::optional<std::string>(const ConditionModel& model)>;
  // Asked when a month was built but some members have too many rest days and the
  // workbook does not adjust the work days: true to build the month again, false
  // to keep it for adjustment by hand. Without one the month is kept.
  using RetryQuestion = std::function<bool()>;

  // `progress` hears how far the run is, its optimisations included; it must
  // outlive the driver.
  explicit CreationDriver(const EngineContext& context,
                          CreationProgress& progress = NoCreationProgress());

  // The whole run, from RunStartTime to the closing message.
  CreateResult StartAction();
  // Creation passes until one completes the month, the run is aborted or the load
  // fails; returns RosterComplete.
  bool RunCreationPasses();

  void SetObserver(Observer observer) { observer_ = std::move(observer); }
  void SetMonthJudge(MonthJudge judge) { judge_ = std::move(judge); }
  void SetRetryQuestion(RetryQuestion question) { retry_question_ = std::move(question); }

 private:
  bool OnePass(int pass_number, bool& repeat);
  void ReportNoMonth(CreateResult& result);
  // A filled month still short of a target, about to be built again: the exact
  // model's answer (once per run) when work days are adjusted and the run has had
  // `shortfalls` such months (kShortfallsBeforeExact, or one with wishes or desired
  // staffing), else kGoOn.
  ExactFallback::Verdict AskExactAfterShortfall(int shortfalls);
  static constexpr int kShortfallsBeforeExact = 3;
  // After the improvement of a month where wishes or desired staffing are
  // weighed: the exact model's own month, where it still works beside, and its
  // bettering of the month where the improvement left it time, both by
  // `until_ms`. A month replaces the roster's where its MonthObjective is lower
  // and the month judge accepts it. True when one did.
  bool BetterByModel(std::int64_t until_ms);
  bool TakeMonthIfBetter(const IndexGrid<int>& month);
  // How long a month the pre-check refused waits for the exact model's proof.
  static constexpr std::int64_t kRefusedMonthWaitMs = 20'000;
  // The end of a pass that found no month: the failure is shown and, unless the run
  // is to stop, the planner gets a moment to read it before the next pass.
  void FailPass();
  // MendExtraLimits, with the exact model mending the same month beside it.
  bool MendLimits();
  // After the last day of a pass that left places open: the search over them.
  // True when the month is whole.
  bool FillOpenSlots();
  // The search could not close every place within its budget: what the run does
  // then. Today it gives the month up (false), and the next pass builds it again;
  // a month found another way would be taken here.
  bool OpenSlotsLeft();
  void TallyDay(int day);
  void WriteDay(int day);
  void Notify(DriverEvent event, int day);
  void TakeExactNotices();

  EngineContext ctx_;
  CreationProgress& progress_;
  // Fixed as the load left it: the reservations it placed and counted.
  IndexGrid<int> loaded_fixed_;
  bool load_failed_ = false;
  // The month on the roster is the exact model's: one below the targets within
  // 休日数の上限 is its answer, not a month for the passes to build again.
  bool exact_month_ = false;
  // The open places of the pass whose search left the fewest, one line each.
  std::vector<std::string> best_open_places_;
  std::optional<std::string> cannot_staff_;
  ExactFallback exact_;
  Observer observer_;
  MonthJudge judge_;
  RetryQuestion retry_question_;
  // The macros' and the loads' notices of the run, for its result.
  Notices notices_;
};

// "mm:ss" of an elapsed time; whole hours are not shown.
std::string ElapsedText(std::int64_t elapsed_ms);

// The caption of creation mode 0..2 in the mode menu.
std::string_view CreationModeCaption(int mode);

// The totals of single work days and single rest days of the roster on the sheet.
std::string 単勤単休総数情報(const EngineContext& context);

}  // namespace tsumiki
