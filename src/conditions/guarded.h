#pragma once

#include <utility>

namespace tsumiki {

struct ConditionModel;
class RosterWriter;

// An array of the condition model that everyone reads and only RosterWriter
// writes: the roster, its fixed marks and the tallies kept in step with it. Reads
// look like the plain array's (`model.Roster(m, d)`); a write outside the writer
// does not compile, so the tallies cannot drift from the roster by accident.
// Whole copies of the model stay possible (a copy is as consistent as its source).
template <typename Store>
class Guarded {
 public:
  Guarded() = default;
  Guarded(const Guarded&) = default;
  Guarded(Guarded&&) noexcept = default;
  ~Guarded() = default;

  template <typename... Index>
  const auto& operator()(Index... i) const {
    return store_(i...);
  }
  const Store& View() const { return store_; }
  operator const Store&() const { return store_; }  // NOLINT(google-explicit-constructor)

  int Lo() const { return store_.Lo(); }
  int Hi() const { return store_.Hi(); }
  int RowLo() const { return store_.RowLo(); }
  int RowHi() const { return store_.RowHi(); }
  int ColLo() const { return store_.ColLo(); }
  int ColHi() const { return store_.ColHi(); }

  bool operator==(const Guarded&) const = default;

 private:
  friend struct ConditionModel;
  friend class RosterWriter;
  Guarded& operator=(const Guarded&) = default;
  Guarded& operator=(Guarded&&) noexcept = default;
  template <typename... Index>
  auto& Cell(Index... i) {
    return store_(i...);
  }

  Store store_;
};

}  // namespace tsumiki
