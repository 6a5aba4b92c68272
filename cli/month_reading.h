#pragma once

#include <memory>
#include <optional>

#include "app/session.h"
#include "check/month_judgement.h"
#include "cli/commands.h"

namespace tsumiki::cli {

// A month read for judging or export: the session with the conditions and the
// roster as the sheet holds it in its model, and its judgement (the labels of
// duties and days, the totals, the rules broken).
struct ReadMonth {
  std::unique_ptr<Session> session;
  MonthJudgement judgement;
  const ConditionModel& Model() const { return session->Model(); }
};

// Opens the session and reads the month; nullopt after a failure the planner has
// been told about.
std::optional<ReadMonth> OpenReadMonth(CliContext& ctx);

// Closes the session without saving: reading the conditions writes the
// reservations into the sheet, and a command that only reads keeps none of it.
// Returns `status`, or kExitFailure when closing failed (which has been shown).
int CloseReadMonth(ReadMonth& month, int status = kExitOk);

}  // namespace tsumiki::cli
