#pragma once

#include <cstdint>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki {

// One exchange of a readjustment: members a and b swap their duties on `day`.
struct Exchange {
  int day = 0;
  int a = 0;
  int b = 0;
  bool operator==(const Exchange&) const = default;
};

// The search of the readjustment window (frm再調整): a short list of same-day
// exchanges that turns one member's duty into a rest day while every staffing and
// per-member rule still holds.
//
// The search tries exchanges on the model's Roster and undoes each before it
// returns; what survives is the exchange list, in the order the exchanges must be
// applied. The list grows as long as the chain needs (no fixed capacity).
class ReadjustSearch {
 public:
  explicit ReadjustSearch(ConditionModel& model) : model_(model) {}

  // How an exchange tried by TrySwap came out.
  enum class Trial {
    kRefused,       // the exchange is undone
    kAccepted,      // the exchange stays
    kPartnerStuck,  // a may take b's old duty but b not a's: it stays, the caller decides
  };
  // Swaps a and b on d and judges the result.
  Trial TrySwap(int a, int b, int d);
  // The first member, in list order, who is off on d and can take x's duty
  // directly; with wishes set, of those members the one whose wish on d the duty
  // misses least. 0 when there is none. A find appends (d, x, member).
  int FindDirectSwap(int d, int x);
  // A direct swap, else two swaps on the same day, else a chain into the next
  // day through a member who is off on d. The last day of the period can never be
  // freed. Returns the member who ends the chain, or 0. Whatever it returns, x is
  // off on d once the recorded exchanges are made in order.
  int SearchChain(int d, int x);

  // day -1 drops the last entry, day 0 clears the list, any other day appends.
  void RecordExchange(int day, int a, int b);
  const std::vector<Exchange>& Exchanges() const { return exchanges_; }

  // Exchanges tried so far (TrySwap calls); the search stops trying once this
  // reaches the budget, so a pathological roster cannot freeze the window.
  std::int64_t TriedCount() const { return tried_; }
  void SetTryBudget(std::int64_t budget) { budget_ = budget; }

  // Chain steps whose direct exchange succeeded although the direct search had
  // just refused it; the step is undone and the chain goes on. The caller says so.
  int Surprises() const { return surprises_; }

 private:
  bool OverBudget() const { return tried_ >= budget_; }
  // Whether the chain step recorded at `mark` keeps every rule once the exchanges
  // recorded after it are made as well.
  bool ChainStepHolds(std::size_t mark);
  // Whether member m's duty on d keeps the required sequences with the days
  // before and after.
  bool SequencesHold(int m, int d) const;

  ConditionModel& model_;
  std::vector<Exchange> exchanges_;
  int surprises_ = 0;
  std::int64_t tried_ = 0;
  std::int64_t budget_ = 2'000'000;
};

}  // namespace tsumiki
