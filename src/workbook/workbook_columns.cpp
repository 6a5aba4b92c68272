// Column widths of a worksheet as the file stores them (<cols>), for the sheet
// window; the cells themselves never depend on them.
#include "workbook/workbook_impl.h"
#include "workbook/xml_util.h"

namespace tsumiki::workbook {

std::optional<double> Workbook::ColumnWidth(int sheet, int column) const {
  impl_->EnsureSheet(sheet);
  const SheetEntry& entry = impl_->sheets[static_cast<size_t>(sheet)];
  if (!entry.document) return std::nullopt;
  const pugi::xml_node worksheet = entry.document->document_element();
  for (pugi::xml_node cols : worksheet.children()) {
    if (LocalName(cols.name()) != "cols") continue;
    for (pugi::xml_node col : cols.children()) {
      if (LocalName(col.name()) != "col") continue;
      const int first = col.attribute("min").as_int(0);
      const int last = col.attribute("max").as_int(first);
      const pugi::xml_attribute width = col.attribute("width");
      if (column < first || column > last) continue;
      if (col.attribute("hidden").as_bool(false)) return 0.0;
      if (width.empty()) return std::nullopt;
      const double characters = width.as_double(-1);
      if (characters < 0 || characters > 255) return std::nullopt;
      return characters;
    }
  }
  return std::nullopt;
}

}  // namespace tsumiki::workbook
