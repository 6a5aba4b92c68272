#pragma once

#include <filesystem>

#include "app/session.h"
#include "roster/roster_sheet.h"

namespace tsumiki::bench {

// The session of one workbook given on the command line, started in the
// workbook's folder. The path is made absolute first: a relative one names the
// workbook from the folder the program started in, not from that one.
inline SessionOptions WorkbookSession(const std::filesystem::path& workbook) {
  const std::filesystem::path path = std::filesystem::absolute(workbook);
  return SessionOptions{path.parent_path(), path, 1};
}

// Opens the session's workbook and brings its condition model to where the
// creation run hands it to the exact model: conditions loaded, days before the
// start day read back. False when the workbook cannot be opened or the
// conditions refuse to load (the refusal is not shown).
inline bool LoadMonth(Session& session) {
  if (!session.StartUp()) return false;
  EngineContext ctx = session.Context();
  const int start = LoadRosterConditions(ctx).start_day;
  if (start < 1) return false;
  if (start > 1) ReadRosterBack(ctx, 1, start - 1, /*quiet=*/true);
  return true;
}

}  // namespace tsumiki::bench
