// tsumiki_exact_times WORKBOOK...: for each workbook, the exact model's build and
// solve times (a first month, or the proof that none exists and the least
// relaxation), the runner's answer as a creation run gets it (solves in child
// processes, 60 s budget), then the stop latency: the runner is started again and stopped
// after 50, 300, 700, 1000, 1500 and 2000 ms, and the time from the request to the joined thread
// is printed. Wall times of this process; the machine's load shows in them.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "app/session.h"
#include "exact/cbc_solve.h"
#include "exact/exact_model.h"
#include "exact/exact_runner.h"
#include "exact/solution_reading.h"
#include "month_loader.h"
#include "support/scripted_host.h"

namespace {

using namespace tsumiki;
using Clock = std::chrono::steady_clock;

// CPU seconds of the whole process: while the main thread waits in a join, the
// solver's thread alone.
double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

void Measure(const std::filesystem::path& path) {
  testing::ScriptedHost host;
  Session session(host, bench::WorkbookSession(path));
  if (!bench::LoadMonth(session)) return;
  const ConditionModel& model = session.Model();

  Clock::time_point t0 = Clock::now();
  const exact::ExactModel month = exact::BuildExactModel(model, exact::ModelKind::kMonth);
  const double build = Seconds(t0);
  t0 = Clock::now();
  double cpu0 = CpuSeconds();
  const exact::SolveResult solved = exact::SolveWithCbc(month.lp, {600, nullptr});
  const double solve = Seconds(t0);
  std::printf("%s: %zu columns, %zu rows, build %.2f s, solve %.2f s wall %.2f s CPU: %s\n",
              path.filename().c_str(), month.lp.Columns().size(), month.lp.Rows().size(), build,
              solve, CpuSeconds() - cpu0,
              solved.status == exact::SolveStatus::kSolved       ? "month"
              : solved.status == exact::SolveStatus::kInfeasible ? "no month (proven)"
                                                                 : "stopped");
  if (solved.status == exact::SolveStatus::kInfeasible) {
    t0 = Clock::now();
    cpu0 = CpuSeconds();
    const exact::ExactModel relaxed = exact::BuildExactModel(model, exact::ModelKind::kRelaxation);
    const exact::SolveResult least = exact::SolveWithCbc(relaxed.lp, {600, nullptr});
    const exact::Relaxation relaxation = exact::ReadRelaxation(model, relaxed, least);
    std::printf("  relaxation %.2f s wall %.2f s CPU, total %d%s\n%s", Seconds(t0),
                CpuSeconds() - cpu0, relaxation.total,
                least.status == exact::SolveStatus::kSolved ? " (least)" : "",
                exact::RelaxationText(model, relaxation).c_str());
  }
  {
    // The runner as a creation run starts it: the solves in child processes.
    t0 = Clock::now();
    exact::ExactRunner runner;
    runner.Start(model, 60);
    const std::optional<exact::ExactAnswer> answer = runner.WaitFor(std::chrono::minutes(2));
    std::printf("  runner: %s in %.2f s wall\n",
                !answer                                            ? "no answer"
                : answer->kind == exact::ExactAnswer::Kind::kMonth ? "month"
                : answer->kind == exact::ExactAnswer::Kind::kNoMonth ? "no month"
                                                                     : "stopped",
                Seconds(t0));
  }
  for (const int after_ms : {50, 300, 700, 1000, 1500, 2000}) {
    exact::ExactRunner runner;
    runner.Start(model, 600);
    std::this_thread::sleep_for(std::chrono::milliseconds(after_ms));
    const bool finished = runner.Poll().has_value();
    t0 = Clock::now();
    cpu0 = CpuSeconds();
    runner.Stop();
    std::printf("  stop after %d ms: joined in %.1f ms wall, %.1f ms CPU%s\n", after_ms,
                Seconds(t0) * 1000, (CpuSeconds() - cpu0) * 1000,
                finished ? " (had finished)" : "");
  }
  session.Close(false);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) Measure(argv[i]);
  return 0;
}
