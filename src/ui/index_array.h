#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace tsumiki {

namespace index_detail {
// The failure paths of the bounds checks, kept out of line so that the checks
// themselves stay small enough to inline into the engine's inner loops.
[[noreturn, gnu::cold, gnu::noinline]] inline void ThrowOutside(int i, int lo, int hi) {
  throw std::out_of_range("index " + std::to_string(i) + " outside " + std::to_string(lo) + ".." +
                          std::to_string(hi));
}
[[noreturn, gnu::cold, gnu::noinline]] inline void ThrowOutside(int r, int c, int row_lo,
                                                                int row_hi, int col_lo,
                                                                int col_hi) {
  throw std::out_of_range("index (" + std::to_string(r) + ", " + std::to_string(c) +
                          ") outside (" + std::to_string(row_lo) + ".." + std::to_string(row_hi) +
                          ", " + std::to_string(col_lo) + ".." + std::to_string(col_hi) + ")");
}
}  // namespace index_detail

// A one-dimensional array with inclusive bounds lo..hi, so that the algorithms can
// keep the index ranges they are written in (member 0..N+1, day 0..D+1). Every
// access is bounds-checked: an index outside the bounds is a programming error and
// throws std::out_of_range instead of touching foreign memory.
template <typename T>
class IndexArray {
 public:
  IndexArray() = default;
  IndexArray(int lo, int hi) { Reset(lo, hi); }

  // Re-creates the array with every element value-initialised (0, empty text).
  void Reset(int lo, int hi) {
    lo_ = lo;
    hi_ = hi < lo ? lo - 1 : hi;
    data_.assign(static_cast<std::size_t>(hi_ - lo_ + 1), T{});
  }

  int Lo() const { return lo_; }
  int Hi() const { return hi_; }

  T& operator()(int i) { return data_[Offset(i)]; }
  const T& operator()(int i) const { return data_[Offset(i)]; }

  bool operator==(const IndexArray&) const = default;

 private:
  std::size_t Offset(int i) const {
    if (i < lo_ || i > hi_) [[unlikely]] {
      index_detail::ThrowOutside(i, lo_, hi_);
    }
    return static_cast<std::size_t>(i - lo_);
  }

  int lo_ = 0;
  int hi_ = -1;
  std::vector<T> data_;
};

// A two-dimensional array with inclusive bounds on both axes, stored row-major.
template <typename T>
class IndexGrid {
 public:
  IndexGrid() = default;
  IndexGrid(int row_lo, int row_hi, int col_lo, int col_hi) {
    Reset(row_lo, row_hi, col_lo, col_hi);
  }

  void Reset(int row_lo, int row_hi, int col_lo, int col_hi) {
    row_lo_ = row_lo;
    row_hi_ = row_hi < row_lo ? row_lo - 1 : row_hi;
    col_lo_ = col_lo;
    col_hi_ = col_hi < col_lo ? col_lo - 1 : col_hi;
    data_.assign(static_cast<std::size_t>(row_hi_ - row_lo_ + 1) *
                     static_cast<std::size_t>(col_hi_ - col_lo_ + 1),
                 T{});
  }

  int RowLo() const { return row_lo_; }
  int RowHi() const { return row_hi_; }
  int ColLo() const { return col_lo_; }
  int ColHi() const { return col_hi_; }

  T& operator()(int r, int c) { return data_[Offset(r, c)]; }
  const T& operator()(int r, int c) const { return data_[Offset(r, c)]; }

  bool operator==(const IndexGrid&) const = default;

 private:
  std::size_t Offset(int r, int c) const {
    if (r < row_lo_ || r > row_hi_ || c < col_lo_ || c > col_hi_) [[unlikely]] {
      index_detail::ThrowOutside(r, c, row_lo_, row_hi_, col_lo_, col_hi_);
    }
    return static_cast<std::size_t>(r - row_lo_) * static_cast<std::size_t>(col_hi_ - col_lo_ + 1) +
           static_cast<std::size_t>(c - col_lo_);
  }

  int row_lo_ = 0;
  int row_hi_ = -1;
  int col_lo_ = 0;
  int col_hi_ = -1;
  std::vector<T> data_;
};

}  // namespace tsumiki
