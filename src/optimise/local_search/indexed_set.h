#pragma once

#include <cstddef>
#include <vector>

namespace tsumiki {

// A set of the numbers 0..capacity-1 that a search draws from uniformly: the
// members short of their target, the days with an open place. Insertion appends;
// removal moves the last entry into the gap, so the order (and with it what a
// seeded draw picks) depends only on the sequence of changes.
class IndexedSet {
 public:
  explicit IndexedSet(int capacity = 0) : slot_(static_cast<std::size_t>(capacity), -1) {}

  bool Empty() const { return items_.empty(); }
  int Size() const { return static_cast<int>(items_.size()); }
  int At(int k) const { return items_[static_cast<std::size_t>(k)]; }

  // Puts i in the set or takes it out.
  void Mark(int i, bool in) {
    int& slot = slot_[static_cast<std::size_t>(i)];
    if (in && slot < 0) {
      slot = static_cast<int>(items_.size());
      items_.push_back(i);
    } else if (!in && slot >= 0) {
      const int last = items_.back();
      items_[static_cast<std::size_t>(slot)] = last;
      slot_[static_cast<std::size_t>(last)] = slot;
      items_.pop_back();
      slot = -1;
    }
  }

 private:
  std::vector<int> items_;
  std::vector<int> slot_;  // index in items_, -1 when not in the set
};

}  // namespace tsumiki
