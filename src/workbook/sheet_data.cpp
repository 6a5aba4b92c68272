#include "workbook/sheet_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "workbook/store_limits.h"
#include "workbook/store_messages.h"
#include "workbook/xml_util.h"

namespace tsumiki::workbook {

namespace {

std::optional<std::pair<int, int>> ParseCellName(std::string_view name) {
  auto area = ParseArea(name);
  if (!area || name.find(':') != std::string_view::npos) return std::nullopt;
  return std::make_pair(area->top, area->left);
}

CellValue ParseNumber(std::string_view text) {
  double number = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number))
    return CellValue(std::string(text));
  return CellValue(number);
}

// A shared-string index is the decimal digits of a number; pugixml would read
// "-1" and "abc" as 0 and "1.5" as 1.
std::optional<std::size_t> SharedIndex(std::string_view text) {
  std::size_t index = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return index;
}

}  // namespace

void SheetData::Load(pugi::xml_document& document, const SharedStrings& strings, size_t style_count,
                     const WorkbookError::Place& place, limits::TextBudget& budget) {
  document_ = &document;
  pugi::xml_node root = document.document_element();
  prefix_ = PrefixOf(root);
  sheet_data_ = Child(root, "sheetData");
  auto fail = [&](WorkbookError::Kind kind, const char* detail, std::string cell) {
    WorkbookError::Place where = place;
    where.cell = std::move(cell);
    throw WorkbookError(kind, where, detail);
  };
  if (pugi::xml_node cols = Child(root, "cols")) {
    for (pugi::xml_node col = Child(cols, "col"); col; col = NextNamed(col, "col")) {
      if (!col.attribute("style")) continue;
      int first = std::clamp(col.attribute("min").as_int(), 1, kMaxColumns);
      int last = std::clamp(col.attribute("max").as_int(), first, kMaxColumns);
      std::uint32_t style = col.attribute("style").as_uint();
      if (style < style_count) column_styles_.push_back({first, last, style});
    }
  }
  for (const auto& [row, row_node] : SortedRows(fail)) {
    rows_[row] = row_node;
    if (row_node.attribute("customFormat").as_bool() && row_node.attribute("s")) {
      std::uint32_t style = row_node.attribute("s").as_uint();
      if (style < style_count) row_styles_[row] = style;
    }
    for (const auto& [column, c] : SortedCells(row_node, row, fail)) {
      Cell cell;
      cell.node = c;
      cell.style = c.attribute("s").as_uint();
      if (cell.style >= style_count && cell.style != 0)
        fail(WorkbookError::Kind::kBadPackage, messages::kBadStyleIndex, CellName(row, column));
      std::string_view type = c.attribute("t").as_string();
      if (pugi::xml_node f = Child(c, "f")) {
        cell.formula = true;
        std::string_view kind = f.attribute("t").as_string();
        std::string_view ref = f.attribute("ref").as_string();
        auto area = ParseArea(ref);
        if (kind == "array" && area) arrays_.push_back(*area);
        if (kind == "shared" && area && (area->top != area->bottom || area->left != area->right))
          shared_masters_.insert(Key(row, column));
      }
      pugi::xml_node v = Child(c, "v");
      std::string_view text = v.text().get();
      if (type == "s") {
        if (v) {
          const std::optional<std::size_t> index = SharedIndex(text);
          if (!index || *index >= strings.Size())
            fail(WorkbookError::Kind::kBadPackage, messages::kBadSharedString,
                 CellName(row, column));
          // Taken before the copy: a bomb is refused before it fills memory.
          if (!budget.Take(strings.At(*index).size()))
            fail(WorkbookError::Kind::kUnsafePackage, messages::kTooMuchText,
                 CellName(row, column));
          cell.value = strings.At(*index);
          cell.shared_string = true;
        }
      } else if (type == "inlineStr") {
        cell.value = RichText(Child(c, "is"));
      } else if (type == "str") {
        cell.value = DecodeEscapes(text);
      } else if (type == "b") {
        if (v) {
          if (text != "0" && text != "1" && text != "true" && text != "false")
            fail(WorkbookError::Kind::kBadPackage, messages::kBadBoolean, CellName(row, column));
          cell.value = text == "1" || text == "true";
        }
      } else if (type == "e") {
        if (v) cell.value = CellError{std::string(text)};
      } else if (type == "d") {
        if (v) cell.value = std::string(text);
      } else if (v && !text.empty()) {
        cell.value = ParseNumber(text);
      }
      if (cell.value.IsText() && limits::TextTooLong(cell.value.Text()))
        fail(WorkbookError::Kind::kBadValue, messages::kCellTextTooLong, CellName(row, column));
      if (cell.value.IsText() && !cell.shared_string && !budget.Take(cell.value.Text().size()))
        fail(WorkbookError::Kind::kUnsafePackage, messages::kTooMuchText, CellName(row, column));
      Extend(row, column);
      cells_.emplace(Key(row, column), std::move(cell));
    }
  }
}

// Rows by number. Producers other than spreadsheet programs write rows and cells
// out of order; they are read and moved into order, so that a save writes them
// the way spreadsheet programs require. Two rows of one number are refused.
template <typename Fail>
std::vector<std::pair<int, pugi::xml_node>> SheetData::SortedRows(const Fail& fail) {
  std::vector<std::pair<int, pugi::xml_node>> rows;
  int row = 0;
  bool ordered = true;
  for (pugi::xml_node row_node = Child(sheet_data_, "row"); row_node;
       row_node = NextNamed(row_node, "row")) {
    pugi::xml_attribute r = row_node.attribute("r");
    long long number = r ? r.as_llong() : row + 1;
    if (number < 1 || number > kMaxRows)
      fail(WorkbookError::Kind::kUnsafePackage, messages::kCellOutOfGrid,
           std::string("行 ").append(r ? r.as_string() : std::to_string(number)));
    if (number <= row) ordered = false;
    row = static_cast<int>(number);
    if (!r) row_node.append_attribute("r") = row;
    rows.emplace_back(row, row_node);
  }
  if (ordered) return rows;
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < rows.size(); ++i)
    if (rows[i].first == rows[i - 1].first)
      fail(WorkbookError::Kind::kBadPackage, messages::kDuplicateRow,
           std::string("行 ").append(std::to_string(rows[i].first)));
  for (const auto& entry : rows) sheet_data_.append_move(entry.second);
  return rows;
}

template <typename Fail>
std::vector<std::pair<int, pugi::xml_node>> SheetData::SortedCells(pugi::xml_node row_node, int row,
                                                                   const Fail& fail) {
  std::vector<std::pair<int, pugi::xml_node>> cells;
  int column = 0;
  bool ordered = true;
  for (pugi::xml_node c = Child(row_node, "c"); c; c = NextNamed(c, "c")) {
    pugi::xml_attribute cr = c.attribute("r");
    int at = column + 1;
    if (cr) {
      auto position = ParseCellName(cr.as_string());
      if (!position)
        fail(WorkbookError::Kind::kUnsafePackage, messages::kCellOutOfGrid, cr.as_string());
      if (position->first != row)
        fail(WorkbookError::Kind::kBadPackage, messages::kCellInOtherRow, cr.as_string());
      at = position->second;
    } else if (at > kMaxColumns) {
      fail(WorkbookError::Kind::kUnsafePackage, messages::kCellOutOfGrid, {});
    }
    if (at <= column) ordered = false;
    column = at;
    if (!cr) c.append_attribute("r") = CellName(row, column).c_str();
    cells.emplace_back(column, c);
  }
  if (ordered) return cells;
  std::stable_sort(cells.begin(), cells.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < cells.size(); ++i)
    if (cells[i].first == cells[i - 1].first)
      fail(WorkbookError::Kind::kBadPackage, messages::kDuplicateCell,
           CellName(row, cells[i].first));
  // Cells go before whatever else the row holds (extensions), in their order.
  pugi::xml_node first_other;
  for (pugi::xml_node child = row_node.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && !IsNamed(child, "c")) {
      first_other = child;
      break;
    }
  for (const auto& entry : cells) {
    if (first_other)
      row_node.insert_move_before(entry.second, first_other);
    else
      row_node.append_move(entry.second);
  }
  return cells;
}

void SheetData::Extend(int row, int column) {
  last_row_ = std::max(last_row_, row);
  last_column_ = std::max(last_column_, column);
}

std::uint32_t SheetData::StyleAt(int row, int column) const {
  if (const Cell* cell = Find(row, column)) return cell->style;
  auto row_style = row_styles_.find(row);
  if (row_style != row_styles_.end()) return row_style->second;
  for (const auto& c : column_styles_)
    if (column >= c.first && column <= c.last) return c.style;
  return 0;
}

Cell& SheetData::Change(int row, int column) {
  std::uint32_t style = StyleAt(row, column);
  auto [it, added] = cells_.try_emplace(Key(row, column));
  Extend(row, column);
  Cell& cell = it->second;
  if (added) cell.style = style;
  if (!cell.dirty) {
    cell.dirty = true;
    dirty_.push_back(it->first);
  }
  return cell;
}

bool SheetData::InArrayFormula(int row, int column) const {
  for (const Area& a : arrays_)
    if (row >= a.top && row <= a.bottom && column >= a.left && column <= a.right) return true;
  return false;
}

size_t SheetData::SharedStringReferences() const {
  size_t count = 0;
  for (const auto& [key, cell] : cells_)
    if (cell.shared_string) ++count;
  return count;
}

pugi::xml_node SheetData::RowNode(int row) {
  auto it = rows_.lower_bound(row);
  if (it != rows_.end() && it->first == row) return it->second;
  if (!sheet_data_) {
    pugi::xml_node root = document_->document_element();
    sheet_data_ = root.append_child((prefix_ + "sheetData").c_str());
  }
  std::string name = prefix_ + "row";
  pugi::xml_node node = it != rows_.end()
                            ? sheet_data_.insert_child_before(name.c_str(), it->second)
                            : sheet_data_.append_child(name.c_str());
  node.append_attribute("r") = row;
  rows_.emplace(row, node);
  return node;
}

void SheetData::PlaceNode(Cell& cell, int row, int column) {
  pugi::xml_node row_node = RowNode(row);
  row_node.remove_attribute("spans");
  pugi::xml_node before;
  for (pugi::xml_node c = Child(row_node, "c"); c; c = NextNamed(c, "c")) {
    auto position = ParseCellName(c.attribute("r").as_string());
    if (position && position->second > column) {
      before = c;
      break;
    }
  }
  std::string name = prefix_ + "c";
  cell.node = before ? row_node.insert_child_before(name.c_str(), before)
                     : row_node.append_child(name.c_str());
  cell.node.append_attribute("r") = CellName(row, column).c_str();
}

void SheetData::WriteNode(Cell& cell, SharedStrings& strings) {
  pugi::xml_node c = cell.node;
  for (const char* attribute : {"t", "cm", "vm"}) c.remove_attribute(attribute);
  for (const char* child : {"f", "v", "is"}) {
    while (pugi::xml_node old = Child(c, child)) c.remove_child(old);
  }
  if (cell.style != 0 || c.attribute("s")) {
    pugi::xml_attribute s = c.attribute("s");
    if (!s) s = c.append_attribute("s");
    s.set_value(cell.style);
  }
  cell.shared_string = false;
  const CellValue& value = cell.value;
  auto set_type = [&](const char* type) { c.append_attribute("t") = type; };
  auto set_v = [&](const std::string& text) {
    c.prepend_child((prefix_ + "v").c_str()).text().set(text.c_str());
  };
  if (value.IsNumber()) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value.Number());
    set_v(std::string(buffer, result.ptr));
  } else if (value.IsText()) {
    if (strings.HasPart()) {
      set_type("s");
      set_v(std::to_string(strings.Intern(value.Text())));
      cell.shared_string = true;
    } else {
      set_type("inlineStr");
      pugi::xml_node is = c.prepend_child((prefix_ + "is").c_str());
      SetTextElement(is.append_child((prefix_ + "t").c_str()), value.Text());
    }
  } else if (value.IsBool()) {
    set_type("b");
    set_v(value.Bool() ? "1" : "0");
  } else if (value.IsError()) {
    set_type("e");
    set_v(value.Error().code);
  }
}

void SheetData::Flush(SharedStrings& strings) {
  std::sort(dirty_.begin(), dirty_.end());
  for (std::uint64_t key : dirty_) {
    auto it = cells_.find(key);
    if (it == cells_.end() || !it->second.dirty) continue;
    Cell& cell = it->second;
    cell.dirty = false;
    int row = static_cast<int>(key >> 16);
    int column = static_cast<int>(key & 0xFFFF);
    if (cell.value.IsEmpty() && cell.style == 0 && !cell.formula) {
      if (cell.node) cell.node.parent().remove_child(cell.node);
      cells_.erase(it);
      continue;
    }
    if (!cell.node) PlaceNode(cell, row, column);
    if (cell.value_changed) {
      cell.formula = false;
      cell.value_changed = false;
      WriteNode(cell, strings);
    } else {
      pugi::xml_attribute s = cell.node.attribute("s");
      if (!s) s = cell.node.append_attribute("s");
      s.set_value(cell.style);
    }
  }
  dirty_.clear();
  pugi::xml_node dimension = Child(document_->document_element(), "dimension");
  if (!dimension) return;
  int top = kMaxRows + 1, left = kMaxColumns + 1, bottom = 0, right = 0;
  for (const auto& [key, cell] : cells_) {
    int row = static_cast<int>(key >> 16);
    int column = static_cast<int>(key & 0xFFFF);
    top = std::min(top, row);
    bottom = std::max(bottom, row);
    left = std::min(left, column);
    right = std::max(right, column);
  }
  std::string ref = bottom == 0 ? "A1" : CellName(top, left);
  if (bottom != 0 && (top != bottom || left != right)) ref.append(":").append(CellName(bottom, right));
  dimension.attribute("ref").set_value(ref.c_str());
}

}  // namespace tsumiki::workbook
