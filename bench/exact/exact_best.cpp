// tsumiki_exact_best WORKBOOK SECONDS: the exact model alone on a workbook's
// month, as the benchmark table runs it, solved as a creation run solves it
// (SolveMonth): the time to a first month that keeps every hard rule, then the
// best with the weighted wishes and desired staffing within SECONDS of
// wall-clock time. Prints
//   first <seconds> <month|no-month|stopped>
//   best <seconds> <month|no-month|stopped> <objective>
// and then, for a month, one line per member: a short name per day, '-' for a
// day off.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/session.h"
#include "exact/exact_model.h"
#include "exact/exact_runner.h"
#include "month_loader.h"
#include "support/scripted_host.h"

namespace {

using namespace tsumiki;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tsumiki_exact_best WORKBOOK SECONDS\n");
    return 2;
  }
  const std::filesystem::path path = argv[1];
  const double seconds = std::atof(argv[2]);
  testing::ScriptedHost host;
  Session session(host, bench::WorkbookSession(path));
  if (!bench::LoadMonth(session)) {
    std::fprintf(stderr, "%s: cannot be loaded\n", path.c_str());
    return 1;
  }
  const ConditionModel& model = session.Model();

  const Clock::time_point t0 = Clock::now();
  const exact::ExactModel weighed = exact::BuildExactModel(model, exact::ModelKind::kMonth);
  const exact::MonthSolve found = exact::SolveMonth(weighed, seconds, nullptr);
  const char* outcome = found.found ? "month"
                        : found.solved.status == exact::SolveStatus::kInfeasible ? "no-month"
                                                                               : "stopped";
  std::printf("first %.2f %s\n", found.first_seconds, outcome);
  std::printf("best %.2f %s %.1f\n", Seconds(t0), outcome, found.solved.objective);
  const exact::SolveResult& best = found.solved;
  if (found.found) {
    IndexGrid<int> month = model.Roster;
    weighed.cells->ReadMonth(best.values, month);
    for (int m = 1; m <= model.MemberCount; ++m) {
      std::string line;
      for (int d = 1; d <= model.DayCount; ++d) {
        if (d > 1) line += ' ';
        line += month(m, d) == kRestDay ? std::string("-") : model.TypeAbbrev(month(m, d));
      }
      std::printf("%s\n", line.c_str());
    }
  }
  session.Close(false);
  return 0;
}
