#pragma once

#include <filesystem>
#include <optional>
#include <span>

#include "conditions/layout.h"

namespace tsumiki::layout {

// Where the template puts a name: the top-left cell on its sheet, 1-based.
struct Anchor {
  const NameSpec* name_spec;
  int row;
  int column;
};

// Every name of the layout with its place in the template.
std::span<const Anchor> TemplateAnchors();
std::optional<Anchor> AnchorOf(const NameSpec& name_spec);

// Writes the blank roster workbook: every sheet and name of the layout, column
// widths, borders and fills of the input and derived areas, and a short Japanese
// explanation on each sheet; no conditions. The package is macro-enabled (.xlsm
// content type) and its document dates are fixed, so the same program writes the
// same content. The derived cells are left empty: the store fills them.
// Throws std::runtime_error when the file cannot be written.
void WriteTemplatePackage(const std::filesystem::path& path);

}  // namespace tsumiki::layout
