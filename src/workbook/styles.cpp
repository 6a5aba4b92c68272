#include "workbook/styles.h"

#include <sstream>

#include "workbook/number_format.h"
#include "workbook/xml_util.h"

namespace tsumiki::workbook {

namespace {

constexpr const char* kMinimalStyles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
    "</cellStyleXfs><cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
    "borderId=\"0\" xfId=\"0\"/></cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" "
    "xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";

}  // namespace

const char* MinimalStylesXml() {
  return kMinimalStyles;
}

namespace {

std::string Canonical(const pugi::xml_node& node) {
  std::ostringstream out;
  node.print(out, "", pugi::format_raw);
  return out.str();
}

void CollectChildren(pugi::xml_node parent, std::string_view local,
                     std::vector<pugi::xml_node>& out) {
  for (pugi::xml_node n = Child(parent, local); n; n = NextNamed(n, local)) out.push_back(n);
}

const char* EdgeName(Edge edge) {
  switch (edge) {
    case Edge::kLeft:
      return "left";
    case Edge::kRight:
      return "right";
    case Edge::kTop:
      return "top";
    case Edge::kBottom:
      return "bottom";
  }
  return "left";
}

void SetCount(pugi::xml_node container, size_t count) {
  pugi::xml_attribute attribute = container.attribute("count");
  if (!attribute) attribute = container.append_attribute("count");
  attribute.set_value(static_cast<unsigned long long>(count));
}

void SetAttribute(pugi::xml_node node, const char* name, const char* value) {
  pugi::xml_attribute attribute = node.attribute(name);
  if (!attribute) attribute = node.append_attribute(name);
  attribute.set_value(value);
}

}  // namespace

Styles::Styles(std::unique_ptr<pugi::xml_document> document)
    : document_(std::move(document)), had_part_(document_ != nullptr), palette_(DefaultPalette()) {
  if (!document_) {
    document_ = std::make_unique<pugi::xml_document>();
    document_->load_string(kMinimalStyles, pugi::parse_default | pugi::parse_declaration);
  }
  pugi::xml_node root = document_->document_element();
  prefix_ = PrefixOf(root);
  if (pugi::xml_node formats = Child(root, "numFmts")) {
    for (pugi::xml_node f = Child(formats, "numFmt"); f; f = NextNamed(f, "numFmt"))
      custom_formats_[f.attribute("numFmtId").as_int()] = f.attribute("formatCode").as_string();
  }
  fills_node_ = Child(root, "fills");
  borders_node_ = Child(root, "borders");
  xfs_node_ = Child(root, "cellXfs");
  CollectChildren(fills_node_, "fill", fills_);
  CollectChildren(borders_node_, "border", borders_);
  CollectChildren(xfs_node_, "xf", xfs_);
  if (pugi::xml_node colors = Child(root, "colors")) {
    if (pugi::xml_node indexed = Child(colors, "indexedColors")) {
      int i = 0;
      for (pugi::xml_node c = Child(indexed, "rgbColor"); c; c = NextNamed(c, "rgbColor"), ++i) {
        auto rgb = ParseRgb(c.attribute("rgb").as_string());
        auto color_index = IndexedToColorIndex(i);
        if (rgb && color_index && i >= 8) palette_[static_cast<size_t>(*color_index - 1)] = *rgb;
      }
    }
  }
}

pugi::xml_node Styles::Xf(std::uint32_t style) const {
  return style < xfs_.size() ? xfs_[style] : pugi::xml_node();
}

std::string Styles::NumberFormat(std::uint32_t style) const {
  pugi::xml_node xf = Xf(style);
  int id = xf ? xf.attribute("numFmtId").as_int() : 0;
  auto it = custom_formats_.find(id);
  if (it != custom_formats_.end()) return it->second;
  return BuiltinFormatCode(id);
}

int Styles::ColorToIndex(const pugi::xml_node& color) const {
  if (!color || color.attribute("auto").as_bool()) return kColorIndexAutomatic;
  if (pugi::xml_attribute indexed = color.attribute("indexed")) {
    auto color_index = IndexedToColorIndex(indexed.as_int());
    return color_index ? *color_index : kColorIndexAutomatic;
  }
  if (auto rgb = ParseRgb(color.attribute("rgb").as_string()))
    return NearestColorIndex(palette_, *rgb);
  if (pugi::xml_attribute theme = color.attribute("theme")) {
    size_t t = theme.as_uint();
    if (t < theme_.size()) return NearestColorIndex(palette_, theme_[t]);
  }
  return kColorIndexAutomatic;
}

int Styles::FillColorIndex(std::uint32_t style) const {
  pugi::xml_node xf = Xf(style);
  size_t fill_id = xf ? xf.attribute("fillId").as_uint() : 0;
  if (fill_id >= fills_.size()) return kColorIndexNone;
  pugi::xml_node pattern = Child(fills_[fill_id], "patternFill");
  std::string_view type = pattern.attribute("patternType").as_string();
  if (!pattern || type.empty() || type == "none") return kColorIndexNone;
  return ColorToIndex(Child(pattern, "fgColor"));
}

int Styles::BorderColorIndex(std::uint32_t style, Edge edge) const {
  pugi::xml_node xf = Xf(style);
  size_t border_id = xf ? xf.attribute("borderId").as_uint() : 0;
  if (border_id >= borders_.size()) return kColorIndexNone;
  pugi::xml_node side = Child(borders_[border_id], EdgeName(edge));
  std::string_view line = side.attribute("style").as_string();
  if (!side || line.empty() || line == "none") return kColorIndexNone;
  return ColorToIndex(Child(side, "color"));
}

std::uint32_t Styles::FindOrAppend(std::vector<pugi::xml_node>& list, pugi::xml_node container,
                                   std::unordered_map<std::string, std::uint32_t>& cache,
                                   const pugi::xml_node& candidate) {
  if (cache.empty()) {
    for (size_t i = 0; i < list.size(); ++i)
      cache.emplace(Canonical(list[i]), static_cast<std::uint32_t>(i));
  }
  std::string key = Canonical(candidate);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  pugi::xml_node added = container.append_copy(candidate);
  list.push_back(added);
  SetCount(container, list.size());
  changed_ = true;
  auto index = static_cast<std::uint32_t>(list.size() - 1);
  cache.emplace(std::move(key), index);
  return index;
}

std::uint32_t Styles::WithFill(std::uint32_t style, int color_index) {
  std::uint32_t fill_id = 0;
  if (color_index != kColorIndexNone) {
    pugi::xml_document scratch;
    pugi::xml_node fill = scratch.append_child((prefix_ + "fill").c_str());
    pugi::xml_node pattern = fill.append_child((prefix_ + "patternFill").c_str());
    pattern.append_attribute("patternType") = "solid";
    pugi::xml_node fg = pattern.append_child((prefix_ + "fgColor").c_str());
    if (color_index == kColorIndexAutomatic) {
      fg.append_attribute("auto") = "1";
    } else {
      fg.append_attribute("indexed") = ColorIndexToIndexed(color_index);
    }
    pattern.append_child((prefix_ + "bgColor").c_str()).append_attribute("indexed") = 64;
    fill_id = FindOrAppend(fills_, fills_node_, fill_cache_, fill);
  }
  pugi::xml_document scratch;
  pugi::xml_node xf =
      Xf(style) ? scratch.append_copy(Xf(style)) : scratch.append_child((prefix_ + "xf").c_str());
  SetAttribute(xf, "fillId", std::to_string(fill_id).c_str());
  SetAttribute(xf, "applyFill", "1");
  return FindOrAppend(xfs_, xfs_node_, xf_cache_, xf);
}

std::uint32_t Styles::WithBorderColor(std::uint32_t style, int color_index) {
  pugi::xml_node xf_old = Xf(style);
  size_t border_id = xf_old ? xf_old.attribute("borderId").as_uint() : 0;
  pugi::xml_document scratch;
  pugi::xml_node border = border_id < borders_.size()
                              ? scratch.append_copy(borders_[border_id])
                              : scratch.append_child((prefix_ + "border").c_str());
  pugi::xml_node previous;
  for (Edge edge : {Edge::kLeft, Edge::kRight, Edge::kTop, Edge::kBottom}) {
    pugi::xml_node side = Child(border, EdgeName(edge));
    std::string name = prefix_ + EdgeName(edge);
    if (!side)
      side = previous ? border.insert_child_after(name.c_str(), previous)
                      : border.prepend_child(name.c_str());
    previous = side;
    std::string_view line = side.attribute("style").as_string();
    if (line.empty() || line == "none") SetAttribute(side, "style", "thin");
    while (pugi::xml_node old = Child(side, "color")) side.remove_child(old);
    pugi::xml_node color = side.append_child((prefix_ + "color").c_str());
    if (color_index == kColorIndexAutomatic || color_index == kColorIndexNone) {
      color.append_attribute("auto") = "1";
    } else {
      color.append_attribute("indexed") = ColorIndexToIndexed(color_index);
    }
  }
  std::uint32_t new_border = FindOrAppend(borders_, borders_node_, border_cache_, border);
  pugi::xml_document xf_scratch;
  pugi::xml_node xf =
      xf_old ? xf_scratch.append_copy(xf_old) : xf_scratch.append_child((prefix_ + "xf").c_str());
  SetAttribute(xf, "borderId", std::to_string(new_border).c_str());
  SetAttribute(xf, "applyBorder", "1");
  return FindOrAppend(xfs_, xfs_node_, xf_cache_, xf);
}

}  // namespace tsumiki::workbook
