#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbook/color_palette.h"
#include "workbook/workbook.h"

namespace tsumiki::workbook {

// A styles part with one plain cell format, for packages that have none.
const char* MinimalStylesXml();

// The cell formats of styles.xml: number formats for displayed texts and the fill
// and border colours as Excel's ColorIndex. A changed appearance never edits a
// format other cells share: it copies the cell's xf, and every new fill, border
// and xf is looked up by its serialised form first so each is added only once.
class Styles {
 public:
  // Takes the parsed part; null makes a minimal one (added to the package on save).
  explicit Styles(std::unique_ptr<pugi::xml_document> document);

  bool HasPart() const { return had_part_; }
  size_t XfCount() const { return xfs_.size(); }
  // The number format code of a cell format ("General", "0.00", "m/d" …).
  std::string NumberFormat(std::uint32_t style) const;

  int FillColorIndex(std::uint32_t style) const;
  int BorderColorIndex(std::uint32_t style, Edge edge) const;
  // The xf to use for a cell of `style` with the new colour; adds formats once.
  std::uint32_t WithFill(std::uint32_t style, int color_index);
  std::uint32_t WithBorderColor(std::uint32_t style, int color_index);

  bool Changed() const { return changed_; }
  pugi::xml_document& Document() { return *document_; }
  void MarkSaved() {
    changed_ = false;
    had_part_ = true;
  }

  // Theme colours in theme order (lt1, dk1, lt2, dk2, accent1…), for theme fills.
  void SetThemeColors(std::vector<std::uint32_t> colors) { theme_ = std::move(colors); }

 private:
  int ColorToIndex(const pugi::xml_node& color) const;
  pugi::xml_node Xf(std::uint32_t style) const;
  std::uint32_t FindOrAppend(std::vector<pugi::xml_node>& list, pugi::xml_node container,
                             std::unordered_map<std::string, std::uint32_t>& cache,
                             const pugi::xml_node& candidate);

  std::unique_ptr<pugi::xml_document> document_;
  bool had_part_ = false;
  bool changed_ = false;
  std::string prefix_;
  std::map<int, std::string> custom_formats_;
  pugi::xml_node fills_node_, borders_node_, xfs_node_;
  std::vector<pugi::xml_node> fills_, borders_, xfs_;
  std::unordered_map<std::string, std::uint32_t> fill_cache_, border_cache_, xf_cache_;
  Palette palette_;
  std::vector<std::uint32_t> theme_;
};

}  // namespace tsumiki::workbook
