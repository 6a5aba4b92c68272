#pragma once

#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki {

// The hard rules of a finished roster, tested locally around one changed cell, as
// the repair search needs them. Unlike SwapCheck, a member who rests on the day
// is not counted as working it, and a duty's required follower must already stand
// on the next day. Member rows of the combination records are looked up once.
class RepairRules {
 public:
  // `extra_limits` false leaves the optional hard limits out of MemberDayHolds: the
  // search that mends them counts them itself.
  explicit RepairRules(const ConditionModel& model, bool extra_limits = true);

  // Member m's cell on day d as it now stands, with its neighbours: the
  // reservation, the day's bans, next-day bans both ways, required sequences both
  // ways (the previous month's last day included), every forbidden sequence that
  // covers day d and the work run through day d against the member's LongestWorkRun.
  bool MemberDayHolds(const ConditionModel& model, int m, int d) const;

  // The combinations of day d: no forbidden record filled up, every required
  // record holding as many listed members as the day's staffing of its duty allows.
  bool CombosHold(const ConditionModel& model, int d) const;

  bool HasCombos() const { return !forbidden_rows_.empty() || !required_rows_.empty(); }

  // Duty types 1..AddableTypes() may be staffed above the need to reach targets.
  int AddableTypes() const { return addable_; }

 private:
  int DutyOn(const ConditionModel& model, int m, int day) const;
  bool SequenceHit(const ConditionModel& model, int m, int d) const;
  bool RunTooLong(const ConditionModel& model, int m, int d) const;

  struct Combo {
    int type = 0;
    int count = 0;
    std::vector<int> rows;
  };
  std::vector<Combo> forbidden_rows_;
  std::vector<Combo> required_rows_;
  std::vector<int> pattern_length_;  // by pattern 1..; 0 = pattern not in use
  int addable_ = 1;
  bool extra_limits_ = true;
};

}  // namespace tsumiki
