#pragma once

#include "conditions/engine_context.h"
#include "creation/creation_progress.h"
#include "present/optimise_window.h"
#include "present/progress_window.h"

namespace tsumiki {

// The progress of a creation run as the planner sees it: the passes in the
// progress window (with the time-limit tick and its message), each optimisation
// in the optimisation window. Both are placed by the session's status position.
class RunProgress final : public CreationProgress {
 public:
  explicit RunProgress(const EngineContext& context);

  void RunStarted() override { progress_.ResetTimeLimit(); }
  void PassStarted(int pass_number, int day_count) override;
  void DayStarted(int day) override { progress_.SetValue(day); }
  void PassEnded() override { progress_.SetValue(0); }
  void PassesStopped() override { progress_.Unload(); }
  void EndedWithoutMonth() override { progress_.ReportDeadline(); }

  void OptimiseStarted(int steps) override;
  void BestScore(float score) override;
  void StepDone(int step) override { optimise_.SetValue(step); }
  void OptimiseEnded() override { optimise_.Unload(); }

  const ProgressWindow& Progress() const { return progress_; }
  const OptimiseWindow& Optimisation() const { return optimise_; }

 private:
  const workbook::Workbook& book_;
  ProgressWindow progress_;
  OptimiseWindow optimise_;
};

}  // namespace tsumiki
