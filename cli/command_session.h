#pragma once

#include <memory>
#include <string_view>

#include "app/session.h"
#include "cli/commands.h"

namespace tsumiki::cli {

// What a command does with the workbook file.
enum class WorkbookUse {
  kRead,      // never saves (show, totals, explain)
  kMayWrite,  // may save it at the end
};

// Opens the workbook session of a command as start-up does, with the global
// options (--workbook, --seed). A command that may write (with --save, or asking
// at the end outside a batch run) first takes the workbook's lock and is refused
// when another writer holds it or the file is read-only; without the lock nothing
// is saved. Null when start-up failed or was refused; the
// message has been shown and the command ends with kExitFailure.
std::unique_ptr<Session> OpenCommandSession(CliContext& ctx,
                                            WorkbookUse use = WorkbookUse::kMayWrite);

// Ends a command's session. After a non-zero `status` nothing is saved and the
// planner is told so. An unchanged workbook is closed quietly. A changed one is
// saved with --save, dropped with --no-save, and otherwise the save question is
// asked (a batch run or a missing terminal answers "no"). Returns `status`, or
// kExitFailure when the save failed.
int CloseCommandSession(CliContext& ctx, Session& session, int status);

// Shows a refusal of a command's arguments; returns kExitFailure.
int RefuseCommand(CliContext& ctx, std::string_view message, std::string_view title);

// The roster column of a day of the month, as the roster's heading dates it; 0 when
// the period holds no such day (a period never holds a day number twice). Without
// a readable base date the number is taken as the column itself.
int RosterColumnOfDay(const ConditionModel& model, int day_of_month);

}  // namespace tsumiki::cli
