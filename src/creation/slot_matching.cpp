#include "creation/slot_matching.h"

#include <cstddef>

namespace tsumiki {
namespace {

class Matching {
 public:
  Matching(const std::vector<std::vector<bool>>& able, const std::vector<int>& need)
      : able_(able), need_(need), holders_(need.size()) {}

  int Run() {
    int filled = 0;
    for (std::size_t m = 0; m < able_.size(); ++m) {
      seen_.assign(need_.size(), false);
      if (Place(m)) ++filled;
    }
    return filled;
  }

 private:
  // Gives member m a place, moving members already placed along an augmenting path.
  bool Place(std::size_t m) {
    for (std::size_t t = 0; t < need_.size(); ++t) {
      if (!able_[m][t] || seen_[t]) continue;
      seen_[t] = true;
      std::vector<std::size_t>& holders = holders_[t];
      if (static_cast<int>(holders.size()) < need_[t]) {
        holders.push_back(m);
        return true;
      }
      for (std::size_t& holder : holders) {
        if (Place(holder)) {
          holder = m;
          return true;
        }
      }
    }
    return false;
  }

  const std::vector<std::vector<bool>>& able_;
  const std::vector<int>& need_;
  std::vector<std::vector<std::size_t>> holders_;
  std::vector<bool> seen_;
};

}  // namespace

int MostPlacesFilled(const std::vector<std::vector<bool>>& able, const std::vector<int>& need) {
  return Matching(able, need).Run();
}

}  // namespace tsumiki
