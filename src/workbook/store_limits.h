#pragma once

#include <cstddef>
#include <string_view>

// Bounds on what one package may make the store hold. The zip reader bounds the
// bytes; these bound what the bytes parse into, checked before the XML is parsed,
// because a few megabytes of tiny cells inflate to gigabytes of tree.
namespace tsumiki::workbook::limits {

// Cells of all worksheets together: far beyond any duty roster, within memory
// (a parsed cell takes about 700 bytes: 1,900,000 numbers took 1.4 GB).
inline constexpr std::size_t kMaxCells = 1'000'000;
// Elements of all parts together (a cell is up to four: c, v, f, is); a parsed
// element of the shared strings takes about 170 bytes (4,000,000 empty strings
// in 160 KB took 1.4 GB).
inline constexpr std::size_t kMaxElements = 4'000'000;
// Cells one whole-range read or write may visit.
inline constexpr std::size_t kMaxRangeCells = 2'000'000;
// The characters one cell may hold, as spreadsheet programs allow.
inline constexpr std::size_t kMaxCellText = 32'767;

// Bytes of cell text the store may hold for one package, counted as decoded: a
// shared string once per cell that refers to it (each cell holds its own copy),
// plus a string's own overhead. 100,000 cells on one 32,767-character string
// would otherwise be 3 GB from a file of 300 KB; 1,000,000 short texts fit.
inline constexpr std::size_t kMaxDecodedText = 128u << 20;
inline constexpr std::size_t kTextOverhead = 32;

// The decoded text left to one package while it is read.
class TextBudget {
 public:
  // False once the package's text goes beyond kMaxDecodedText.
  bool Take(std::size_t bytes) {
    const std::size_t cost = bytes + kTextOverhead;
    if (cost > left_) return false;
    left_ -= cost;
    return true;
  }

 private:
  std::size_t left_ = kMaxDecodedText;
};

// Characters of UTF-8 text as spreadsheet programs count them (UTF-16 units).
std::size_t TextUnits(std::string_view text);
inline bool TextTooLong(std::string_view text) {
  return text.size() > kMaxCellText && TextUnits(text) > kMaxCellText;
}

}  // namespace tsumiki::workbook::limits
