// Times `tsumiki create --batch --seed N` in process: start-up on a fresh copy of
// the workbook, the whole creation run, nothing saved. Prints the median over the
// seeds for the sample workbook and for a workplace of 60 members.
//
//   build/bench/create/tsumiki_bench_create [seeds]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"
#include "conditions/layout.h"
#include "conditions/sample_workbook.h"
#include "creation/driver.h"

namespace {

namespace fs = std::filesystem;
using namespace tsumiki;

// A host without a screen, as a batch run has: pauses are skipped, questions take
// their first answer, the clock is the real monotonic one.
class BatchHost : public Host {
 public:
  MsgResult MessageBox(std::string_view, std::string_view, MsgButtons buttons, MsgIcon) override {
    return buttons == MsgButtons::kYesNo || buttons == MsgButtons::kYesNoCancel ? MsgResult::kNo
                                                                                : MsgResult::kOk;
  }
  void ShowStatusWindow(const StatusView&) override {}
  void HideStatusWindow() override {}
  void Sleep(int) override {}
  std::int64_t MonotonicMs() const override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  double SecondsSinceMidnight() const override { return 0; }
};

void Put(workbook::Workbook& book, const layout::NameSpec& name_spec, int row, int column,
         const workbook::CellValue& value) {
  book.WriteCell(layout::Range(book, name_spec), row, column, value);
}

// The sample grown to 60 members: members 21..60 repeat the first twenty's days off
// and requests, and every duty needs three times the staff.
void WriteSixtyMembers(const fs::path& path) {
  layout::WriteSampleWorkbook(path);
  auto book = workbook::Workbook::Open(path);
  const auto list = layout::Range(*book, layout::kMemberList);
  const auto requests = layout::Range(*book, layout::kScheduleInput);
  const auto days_off = layout::Range(*book, layout::kMemberDayOff);
  const auto tail = layout::Range(*book, layout::kPrevTail);
  for (int m = 21; m <= 60; ++m) {
    const int like = (m - 1) % 20 + 1;
    Put(*book, layout::kMemberList, m, 1, m);
    Put(*book, layout::kMemberList, m, 2, book->ReadCellText(list, like, 2) + std::to_string(m));
    Put(*book, layout::kMemberDayOff, m, 1, book->ReadCell(days_off, like, 1));
    for (int d = 1; d <= 31; ++d) {
      Put(*book, layout::kScheduleInput, m, d, book->ReadCell(requests, like, d));
    }
    for (int j = 1; j <= 10; ++j)
      Put(*book, layout::kPrevTail, m, j, book->ReadCell(tail, like, j));
  }
  const auto need = layout::Range(*book, layout::kNeedTable);
  for (int t = 1; t <= 5; ++t) {
    for (int d = 1; d <= 31; ++d) {
      const auto value = book->ReadCell(need, t, d);
      if (value.IsNumber()) Put(*book, layout::kNeedTable, t, d, value.Number() * 3);
    }
  }
  book->Save();
}

double RunOnce(const fs::path& original, const fs::path& work, std::uint64_t seed, bool& created) {
  fs::copy_file(original, work, fs::copy_options::overwrite_existing);
  const auto start = std::chrono::steady_clock::now();
  BatchHost host;
  Session session(host, SessionOptions{work.parent_path(), work, seed});
  created = false;
  if (session.StartUp()) {
    CreationDriver driver(session.Context());
    created = driver.StartAction().outcome == CreateOutcome::kCreated;
    session.Close(false);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Measure(const char* label, const fs::path& original, const fs::path& dir, int seeds) {
  std::vector<double> times;
  int created = 0;
  for (int seed = 1; seed <= seeds; ++seed) {
    bool ok = false;
    times.push_back(RunOnce(original, dir / "run.xlsm", static_cast<std::uint64_t>(seed), ok));
    if (ok) ++created;
    std::printf("  %s seed %d: %.3f s%s\n", label, seed, times.back(), ok ? "" : " (not created)");
  }
  std::sort(times.begin(), times.end());
  std::printf("%s: median %.3f s over %d seeds (min %.3f, max %.3f), %d created\n", label,
              times[times.size() / 2], seeds, times.front(), times.back(), created);
}

}  // namespace

int main(int argc, char** argv) {
  const int seeds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const fs::path dir = fs::temp_directory_path() / "tsumiki-bench-create";
  fs::create_directories(dir);
  layout::WriteSampleWorkbook(dir / "sample.xlsm");
  WriteSixtyMembers(dir / "sixty.xlsm");
  Measure("sample (20 members)", dir / "sample.xlsm", dir, seeds);
  Measure("60 members", dir / "sixty.xlsm", dir, seeds);
  fs::remove_all(dir);
  return 0;
}
