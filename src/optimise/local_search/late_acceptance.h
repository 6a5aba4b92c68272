#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tsumiki {

// Late acceptance hill climbing with ties: a candidate cost is kept when it is no
// worse than the current cost or than the cost the search had `length` steps
// back. The history slot of a step is (step mod length), so a step that builds no
// candidate leaves its slot as it was; both outcomes of a judged step write the
// current cost into it. Lower is better.
template <typename Cost>
class LateAcceptance {
 public:
  LateAcceptance(int length, Cost initial)
      : history_(static_cast<std::size_t>(length < 1 ? 1 : length), initial), current_(initial) {}

  Cost Current() const { return current_; }

  // Forgets the history: every slot and the current cost become `cost`. A search
  // whose cost falls in steps (a hard violation less) starts its walk anew there,
  // so the costs of the level above no longer let worse moves through.
  void Reset(Cost cost) {
    for (Cost& past : history_) past = cost;
    current_ = cost;
  }

  // Judges a candidate of step `step` and, when it is kept, makes it current.
  bool Accept(Cost next, std::int64_t step) {
    Cost& past = history_[static_cast<std::size_t>(step % static_cast<std::int64_t>(history_.size()))];
    const bool keep = next <= current_ || next <= past;
    if (keep) current_ = next;
    past = current_;
    return keep;
  }

 private:
  std::vector<Cost> history_;
  Cost current_;
};

}  // namespace tsumiki
