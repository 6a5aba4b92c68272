#pragma once

#include <string>
#include <variant>
#include <vector>

namespace tsumiki::workbook {

// An error value a formula left in a cell, such as "#N/A".
struct CellError {
  std::string code;
  bool operator==(const CellError&) const = default;
};

// The value of one cell: empty, number, text, boolean or error.
class CellValue {
 public:
  CellValue() = default;
  CellValue(double number) : value_(number) {}  // NOLINT(google-explicit-constructor)
  CellValue(int number) : value_(static_cast<double>(number)) {}  // NOLINT
  CellValue(std::string text) : value_(std::move(text)) {}        // NOLINT
  CellValue(const char* text) : value_(std::string(text)) {}      // NOLINT
  CellValue(bool flag) : value_(flag) {}                          // NOLINT
  CellValue(CellError error) : value_(std::move(error)) {}        // NOLINT

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsNumber() const { return std::holds_alternative<double>(value_); }
  bool IsText() const { return std::holds_alternative<std::string>(value_); }
  bool IsBool() const { return std::holds_alternative<bool>(value_); }
  bool IsError() const { return std::holds_alternative<CellError>(value_); }

  // Preconditions: the matching Is...() is true.
  double Number() const { return std::get<double>(value_); }
  const std::string& Text() const { return std::get<std::string>(value_); }
  bool Bool() const { return std::get<bool>(value_); }
  const CellError& Error() const { return std::get<CellError>(value_); }

  bool operator==(const CellValue&) const = default;

 private:
  std::variant<std::monostate, double, std::string, bool, CellError> value_;
};

// A block of values, row by row; rows are 0-based here.
using Table = std::vector<std::vector<CellValue>>;

}  // namespace tsumiki::workbook
