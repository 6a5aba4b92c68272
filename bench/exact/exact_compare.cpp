// tsumiki_exact_compare [--cap S] [--branching NAME,...] [--no-cbc] WORKBOOK...:
// for each workbook, CBC and Gecode side by side on the same month model, each
// from its own model build to a first month or to the proof that none exists,
// capped at S seconds (60). A month is counted only when it keeps every bound of
// the model. Gecode runs once per branching named (columns, days, afc, action,
// chb; "afc", the fastest on the shared workbooks, when none is named). Wall times of this process, one solver at a time.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "exact/cbc_solve.h"
#include "exact/exact_model.h"
#include "gecode_solve.h"
#include "month_loader.h"
#include "row_check.h"
#include "support/scripted_host.h"

namespace {

using namespace tsumiki;
using Clock = std::chrono::steady_clock;

struct Options {
  double cap = 60;
  bool cbc = true;
  std::vector<bench::Branching> branchings;
  std::vector<std::filesystem::path> workbooks;
};

// Wall and CPU seconds since a start. The solvers run on this thread alone, so
// the CPU time is theirs; on a loaded machine it is the fairer figure.
struct Timer {
  Clock::time_point wall = Clock::now();
  double cpu = CpuSeconds();

  static double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
  }
  std::string Text() const {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f s wall %.2f s CPU",
                  std::chrono::duration<double>(Clock::now() - wall).count(), CpuSeconds() - cpu);
    return text;
  }
};

// The columns day by day: on each day every member, each member's duties in order.
std::vector<int> DayOrder(const ConditionModel& model, const exact::ExactModel& month) {
  std::vector<int> order;
  std::vector<bool> taken(month.lp.Columns().size(), false);
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int t = 1; t <= model.TypeCount; ++t) {
        const int column = month.cells->Column(m, d, t);
        if (column < 0) continue;
        order.push_back(column);
        taken[static_cast<std::size_t>(column)] = true;
      }
    }
  }
  for (std::size_t c = 0; c < taken.size(); ++c) {
    if (!taken[c]) order.push_back(static_cast<int>(c));
  }
  return order;
}

std::vector<int> ColumnOrder(std::size_t columns) {
  std::vector<int> order(columns);
  for (std::size_t c = 0; c < columns; ++c) order[c] = static_cast<int>(c);
  return order;
}

// "month", "no month (proven)" or "stopped", with the check of a month's bounds.
std::string Outcome(const exact::LinearModel& lp, const exact::SolveResult& solved) {
  switch (solved.status) {
    case exact::SolveStatus::kSolved: {
      const int broken = bench::BrokenBounds(lp, solved.values);
      return broken == 0 ? "month" : "month breaking " + std::to_string(broken) + " bounds (not counted)";
    }
    case exact::SolveStatus::kInfeasible:
      return "no month (proven)";
    case exact::SolveStatus::kStopped:
      break;
  }
  return "stopped";
}

void MeasureCbc(const ConditionModel& model, double cap) {
  const Timer timer;
  const exact::ExactModel month = exact::BuildExactModel(model, exact::ModelKind::kMonth);
  const exact::SolveResult solved = exact::SolveWithCbc(month.lp, {cap, nullptr});
  const std::string time = timer.Text();
  std::printf("  CBC: %s, %s\n", time.c_str(), Outcome(month.lp, solved).c_str());
}

void MeasureGecode(const ConditionModel& model, bench::Branching branching, double cap) {
  const Timer timer;
  const exact::ExactModel month = exact::BuildExactModel(model, exact::ModelKind::kMonth);
  const std::vector<int> order = branching == bench::Branching::kDays
                                     ? DayOrder(model, month)
                                     : ColumnOrder(month.lp.Columns().size());
  const bench::GecodeResult solved = bench::SolveWithGecode(month.lp, order, branching, {cap, nullptr});
  const std::string time = timer.Text();
  if (solved.refused) {
    std::printf("  Gecode (%s): refused, not a 0/1 model with whole coefficients\n",
                bench::BranchingName(branching));
    return;
  }
  std::printf("  Gecode (%s): %s, %s; %lu nodes, %lu failures, %lu restarts\n",
              bench::BranchingName(branching), time.c_str(), Outcome(month.lp, solved.solve).c_str(),
              solved.statistics.nodes, solved.statistics.failures, solved.statistics.restarts);
}

void Measure(const std::filesystem::path& path, const Options& options) {
  testing::ScriptedHost host;
  Session session(host, bench::WorkbookSession(path));
  if (!bench::LoadMonth(session)) {
    std::printf("%s: cannot be loaded\n", path.filename().c_str());
    return;
  }
  const ConditionModel& model = session.Model();
  {
    const exact::ExactModel month = exact::BuildExactModel(model, exact::ModelKind::kMonth);
    std::printf("%s: %d members x %d days x %d duties, %zu columns, %zu rows\n",
                path.filename().c_str(), model.MemberCount, model.DayCount, model.TypeCount,
                month.lp.Columns().size(), month.lp.Rows().size());
  }
  std::fflush(stdout);
  if (options.cbc) MeasureCbc(model, options.cap);
  std::fflush(stdout);
  for (const bench::Branching branching : options.branchings) {
    MeasureGecode(model, branching, options.cap);
    std::fflush(stdout);
  }
  session.Close(false);
}

bool ParseBranchings(const std::string& list, std::vector<bench::Branching>& out) {
  std::size_t from = 0;
  while (from <= list.size()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    bench::Branching branching{};
    if (!bench::ParseBranching(std::string_view(list).substr(from, comma - from), branching)) return false;
    out.push_back(branching);
    from = comma + 1;
  }
  return true;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--cap" && i + 1 < argc) {
      options.cap = std::atof(argv[++i]);
    } else if (arg == "--branching" && i + 1 < argc) {
      if (!ParseBranchings(argv[++i], options.branchings)) return false;
    } else if (arg == "--no-cbc") {
      options.cbc = false;
    } else if (arg.starts_with("--")) {
      return false;
    } else {
      options.workbooks.emplace_back(arg);
    }
  }
  if (options.branchings.empty()) options.branchings.push_back(bench::Branching::kAfcLuby);
  return options.cap > 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: tsumiki_exact_compare [--cap S] [--branching columns,days,afc,action,chb] [--no-cbc] "
                 "WORKBOOK...\n");
    return 2;
  }
  for (const std::filesystem::path& path : options.workbooks) Measure(path, options);
  return 0;
}
