#pragma once

#include <memory>

#include "app/session.h"
#include "cli/commands.h"

namespace tsumiki::cli {

// Opens the workbook session of a command as start-up does, with the global
// options (--workbook, --seed). Null when start-up failed; its message has been
// shown and the command ends with kExitFailure.
std::unique_ptr<Session> OpenCommandSession(CliContext& ctx);

// Ends a command's session. An unchanged workbook is closed quietly. A changed
// one is saved with --save, dropped with --no-save, and otherwise the save
// question is asked (a batch run or a missing terminal answers "no"). Returns
// `status`, or kExitFailure when the save failed.
int CloseCommandSession(CliContext& ctx, Session& session, int status);

}  // namespace tsumiki::cli
