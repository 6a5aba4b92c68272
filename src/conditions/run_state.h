#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tsumiki {

// The day and duty type of the last failed member search of the day filling,
// quoted by the time-limit message. type 0 means no search has failed yet.
struct DaySlot {
  int day = 0;
  int type = 0;
};

// State of one creation run, shared by the driver, its progress window and the
// optimisation window.
struct RunState {
  bool AbortRequested = false;
  std::int64_t RunStartTime = 0;  // Host::MonotonicMs() when the start action began
  int PassCount = 0;
  int DaySuccessCount = 0;
  bool RosterComplete = false;
  bool ModelLoaded = false;
  // The load's warnings have been shown; each pass loads again, and a run says
  // them once.
  bool LoadWarned = false;
  // The time limit as a point of Host::MonotonicMs(); -1 while none is set. Once
  // it has passed, DeadlinePassed and AbortRequested are set together.
  std::int64_t DeadlineMs = -1;
  bool DeadlinePassed = false;
  DaySlot FailedSlot;
  // The duties of FailedSlot's day as they stood when the search failed (index =
  // member row), so that the refusals can be explained after the day was reset.
  std::vector<int> FailedColumn;
};

// Whether the run is to stop: aborted, or past its deadline at `now_ms` (which
// then counts as an abort too). Every place that lets events run asks this, so
// the time limit ends a search however long it runs.
inline bool StopRequested(RunState& run, std::int64_t now_ms) {
  if (!run.AbortRequested && run.DeadlineMs >= 0 && now_ms > run.DeadlineMs) {
    run.AbortRequested = true;
    run.DeadlinePassed = true;
  }
  return run.AbortRequested;
}

// Seconds of the improvement phase when nothing else says.
inline constexpr float kDefaultImproveSeconds = 2.0f;

// The creation modes of the mode menu.
enum CreationModeValue : int {
  kModeMinimiseSingleHigh = 0,  // 単勤・単休 最少化（高）
  kModeMinimiseSingleLow = 1,   // 単勤・単休 最少化（低）
  kModeStaffingFirst = 2,       // 確保優先
};

// Values that live for the whole session.
struct SessionValues {
  std::string StartDir;
  std::string ExcelVersion;
  std::string WorkbookName;  // file name of the workbook; also the macro-name prefix
  std::string WorkbookPath;
  int CreationMode = kModeStaffingFirst;
  int StatusPosition = 0;  // 0 centre, 1 top right, 2 bottom right, 3 bottom left
  // 改善時間 of a workbook without that cell: as the dialog or the command line
  // last set it (2 seconds until then).
  float ImproveSeconds = kDefaultImproveSeconds;
  // The exact model runs beside the search (off: the search alone, for benchmarks).
  bool UseExactModel = true;
  // When no month exists: write the nearest month, its open cells marked, instead
  // of leaving the roster as it was.
  bool WriteNearestMonth = false;
};

}  // namespace tsumiki
