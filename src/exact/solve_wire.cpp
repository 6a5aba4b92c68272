#include "exact/solve_wire.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace tsumiki::exact {

namespace {

// Writer and reader run the same build on the same machine: plain values in the
// machine's own layout, counts as 64-bit integers.
class Writer {
 public:
  template <typename T>
  void Put(T value) {
    static_assert(std::is_trivially_copyable_v<T>);
    bytes_.append(reinterpret_cast<const char*>(&value), sizeof value);
  }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  template <typename T>
  bool Get(T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    if (bytes_.size() < sizeof value) return false;
    std::memcpy(&value, bytes_.data(), sizeof value);
    bytes_.remove_prefix(sizeof value);
    return true;
  }
  // A count that the remaining bytes can hold at `least_bytes` each, so that a
  // damaged count never asks for a huge allocation.
  bool GetCount(std::size_t least_bytes, std::size_t& count) {
    std::int64_t value = 0;
    if (!Get(value) || value < 0) return false;
    count = static_cast<std::size_t>(value);
    return count <= bytes_.size() / least_bytes;
  }
  bool AtEnd() const { return bytes_.empty(); }

 private:
  std::string_view bytes_;
};

constexpr std::size_t kColumnBytes = 3 * sizeof(double);
constexpr std::size_t kRowBytes = 2 * sizeof(double) + sizeof(std::int64_t);
constexpr std::size_t kTermBytes = sizeof(std::int32_t) + sizeof(double);

}  // namespace

std::string EncodeSolveRequest(const LinearModel& lp, const SolveLimits& limits) {
  Writer out;
  out.Put(limits.seconds);
  out.Put(static_cast<std::int32_t>(limits.wall_clock));
  out.Put(static_cast<std::int64_t>(lp.Columns().size()));
  for (const Column& column : lp.Columns()) {
    out.Put(column.lower);
    out.Put(column.upper);
    out.Put(column.cost);
  }
  out.Put(static_cast<std::int64_t>(lp.Rows().size()));
  for (const Row& row : lp.Rows()) {
    out.Put(row.lower);
    out.Put(row.upper);
    out.Put(static_cast<std::int64_t>(row.terms.size()));
    for (const auto& [column, coefficient] : row.terms) {
      out.Put(static_cast<std::int32_t>(column));
      out.Put(coefficient);
    }
  }
  return out.Take();
}

std::optional<SolveRequest> DecodeSolveRequest(std::string_view bytes) {
  Reader in(bytes);
  SolveRequest request;
  std::int32_t wall_clock = 0;
  std::size_t column_count = 0;
  if (!in.Get(request.seconds) || !in.Get(wall_clock) || !in.GetCount(kColumnBytes, column_count))
    return std::nullopt;
  request.wall_clock = wall_clock != 0;
  std::vector<Column> columns(column_count);
  for (Column& column : columns) {
    if (!in.Get(column.lower) || !in.Get(column.upper) || !in.Get(column.cost)) return std::nullopt;
  }
  std::size_t row_count = 0;
  if (!in.GetCount(kRowBytes, row_count)) return std::nullopt;
  std::vector<Row> rows(row_count);
  for (Row& row : rows) {
    std::size_t term_count = 0;
    if (!in.Get(row.lower) || !in.Get(row.upper) || !in.GetCount(kTermBytes, term_count))
      return std::nullopt;
    row.terms.resize(term_count);
    for (auto& [column, coefficient] : row.terms) {
      std::int32_t index = 0;
      if (!in.Get(index) || !in.Get(coefficient)) return std::nullopt;
      if (index < 0 || static_cast<std::size_t>(index) >= column_count) return std::nullopt;
      column = index;
    }
  }
  if (!in.AtEnd()) return std::nullopt;
  request.lp = LinearModel(std::move(columns), std::move(rows));
  return request;
}

}  // namespace tsumiki::exact
