#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "app/session.h"
#include "check/roster_reading.h"
#include "check/rule_check.h"
#include "conditions/sample_workbook.h"
#include "creation/driver.h"
#include "support/roster_checker.h"
#include "support/roster_edit.h"
#include "support/scripted_host.h"

// The product's rule checker against the independent checker of the tests, on
// created months and on the same months after random single-cell edits: both
// must name the same (member, day, kind of rule) findings.
namespace tsumiki {
namespace {

namespace fs = std::filesystem;
using Key = std::tuple<int, int, std::string>;  // member (0 = none), day (0 = month), kind

struct Case {
  const char* workbook;
  std::vector<int> seeds;
};

#ifdef TSUMIKI_SANITIZED_BUILD
const Case kCases[] = {{"sample", {1}}, {"t3-care24-prevtail", {1}}, {"t4-clinic10-midmonth", {1}}};
#else
const Case kCases[] = {
    {"sample", {1, 2, 3}},          {"t1-care21-march", {1, 2}},      {"t2-care26-focus", {1}},
    {"t3-care24-prevtail", {1, 2}}, {"t4-clinic10-midmonth", {1, 2}}, {"t5-hospital80", {1}},
    {"t6-large100x8", {1}}};
#endif
constexpr int kEditsPerMonth = 20;

fs::path Copy(const std::string& name) {
  const fs::path dir = fs::path(TSUMIKI_TEST_TMP) / "rule-agreement" / std::to_string(::getpid());
  fs::create_directories(dir);
  if (name == "sample") {
    layout::WriteSampleWorkbook(dir / "sample.xlsm");
    return dir / "sample.xlsm";
  }
  const fs::path path = dir / (name + ".xlsx");
  fs::copy_file(fs::path(TSUMIKI_SOURCE_DIR) / "tests" / "workbooks" / (name + ".xlsx"), path,
                fs::copy_options::overwrite_existing);
  return path;
}

class BatchHost : public testing::ScriptedHost {
 public:
  void Sleep(int /*milliseconds*/) override {}
};

std::string Kind(RuleKind rule) {
  switch (rule) {
    case RuleKind::kStaffShort:
    case RuleKind::kStaffOver:
      return "staffing";
    case RuleKind::kDayOffRequest:
    case RuleKind::kDutyBan:
      return "ban";
    default:
      return std::string(RuleId(rule));
  }
}

std::set<Key> Ours(const ConditionModel& model) {
  std::set<Key> keys;
  for (const Finding& f : CheckRosterRules(model)) keys.emplace(f.member, f.day, Kind(f.rule));
  return keys;
}

// The product's name of each kind of rule the independent checker knows.
std::string Kind(testing::Rule rule) {
  using testing::Rule;
  switch (rule) {
    case Rule::kNoDutyType: return "unknown_duty";
    case Rule::kStaffing: return "staffing";
    case Rule::kDayBan: return "ban";
    case Rule::kNextDayBan: return "next_day_ban";
    case Rule::kForbiddenSequence: return "forbidden_sequence";
    case Rule::kReservation: return "reservation";
    case Rule::kConsecutiveWork: return "consecutive_work";
    case Rule::kForbiddenCombination: return "forbidden_combination";
    case Rule::kRequiredCombination: return "required_combination";
    case Rule::kRequiredSequence: return "required_sequence";
    case Rule::kWorkDayTarget: return "work_day_target";
    case Rule::kDutyCount: return "duty_count";
    case Rule::kWorkRun: return "work_run";
    case Rule::kRestRun: return "rest_run";
    case Rule::kWeekends: return "weekends";
  }
  return "unknown rule";
}

// The independent checker's breaches as keys. Its day bans on a cell holding its
// own reservation are left out, and a forbidden sequence begun in the previous
// month is placed on day 1, as the product reports them.
std::set<Key> Theirs(const ConditionModel& model) {
  testing::CheckOptions options;
  options.work_days_at_most_target = true;
  options.work_days_exact = true;
  options.extra_staff_for_targets = model.WorkDayAdjust;
  options.reservations_override_bans = true;
  std::set<Key> keys;
  for (const testing::Breach& b : testing::CheckRoster(model, options)) {
    const bool sequence = b.rule == testing::Rule::kForbiddenSequence;
    keys.emplace(b.member, sequence ? std::max(1, b.day) : b.day, Kind(b.rule));
  }
  return keys;
}

std::string Describe(const std::set<Key>& keys) {
  std::string out;
  for (const auto& [member, day, kind] : keys) {
    out += "(" + std::to_string(member) + ", " + std::to_string(day) + ", " + kind + ") ";
  }
  return out;
}

TEST(RuleAgreement, BothCheckersNameTheSameFindingsOnCreatedAndEditedMonths) {
  int months = 0;
  int broken = 0;
  for (const Case& c : kCases) {
    const fs::path path = Copy(c.workbook);
    for (const int seed : c.seeds) {
      SCOPED_TRACE(std::string(c.workbook) + " seed " + std::to_string(seed));
      BatchHost host;
      Session session(host, SessionOptions{path.parent_path(), path, static_cast<unsigned>(seed)});
      ASSERT_TRUE(session.StartUp());
      EngineContext ctx = session.Context();
      ASSERT_EQ(CreationDriver(ctx).StartAction().outcome, CreateOutcome::kCreated);
      ASSERT_GE(ReadRosterAsItStands(ctx).start_day, 1);
      ConditionModel& model = ctx.model;
      std::mt19937 random(static_cast<unsigned>(seed));
      for (int edit = 0; edit <= kEditsPerMonth; ++edit) {
        // Edit 0 is the month as created; each later one changes one cell of it
        // into another duty, a rest day or a text that is no duty.
        const int m = 1 + static_cast<int>(random() % static_cast<unsigned>(model.MemberCount));
        const int d = 1 + static_cast<int>(random() % static_cast<unsigned>(model.DayCount));
        const int kept = model.Roster(m, d);
        if (edit > 0) {
          testing::RosterEdit::WriteUncounted(
              model, m, d,
              static_cast<int>(random() % static_cast<unsigned>(model.TypeCount + 2)) - 1);
        }
        const std::set<Key> ours = Ours(model);
        const std::set<Key> theirs = Theirs(model);
        EXPECT_EQ(Describe(ours), Describe(theirs)) << "edit " << edit;
        broken += ours.empty() ? 0 : 1;
        ++months;
        testing::RosterEdit::WriteUncounted(model, m, d, kept);
      }
      session.Close(false);
    }
  }
#ifndef TSUMIKI_SANITIZED_BUILD
  EXPECT_GE(months, 200);
#endif
  EXPECT_GT(broken, months / 2);  // the edits do break rules
}

}  // namespace
}  // namespace tsumiki
