#pragma once

#include <string>

#include "cli/commands.h"

namespace tsumiki::cli {

// `export --ics DIR [--member NUMBER]`: one calendar file per member (or the one
// member) in DIR, made when missing.
int ExportCalendars(CliContext& ctx, const std::string& folder, const std::string& member);

// `export --html FILE`: the month as one page for phones and printing.
int ExportPage(CliContext& ctx, const std::string& file);

}  // namespace tsumiki::cli
