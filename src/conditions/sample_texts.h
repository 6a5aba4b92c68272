#pragma once

#include <span>
#include <string_view>

// The Japanese texts of the template: a title and explanation on each sheet, and
// the labels beside the named cells and over the tables.
namespace tsumiki::layout {

struct SheetText {
  std::string_view sheet;
  std::string_view title;
  std::span<const std::string_view> lines;
};

struct SheetLabel {
  std::string_view sheet;
  int row;
  int column;
  std::string_view text;
  bool heading;  // a table heading (framed) rather than a label beside a cell
};

inline constexpr std::string_view kDocumentTitle = "ツミキ 勤務シフト表";
inline constexpr std::string_view kDocumentAuthor = "ツミキ";

// In the workbook's sheet order.
std::span<const SheetText> SheetTexts();
std::span<const SheetLabel> SheetLabels();

}  // namespace tsumiki::layout
