#include "workbook/opc.h"

#include <set>

#include "workbook/xml_util.h"

namespace tsumiki::workbook {

namespace {

std::string FolderOf(std::string_view part) {
  size_t slash = part.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

}  // namespace

std::string RelsPartFor(std::string_view part) {
  std::string folder = FolderOf(part);
  std::string file(part.substr(folder.size()));
  return folder + "_rels/" + file + ".rels";
}

std::string ResolveTarget(std::string_view source_part, std::string_view target) {
  if (target.empty()) return {};
  std::string path;
  if (target.front() == '/') {
    path = std::string(target.substr(1));
  } else {
    path = FolderOf(source_part) + std::string(target);
  }
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string segment = path.substr(start, end - start);
    if (segment == "..") {
      if (segments.empty()) return {};  // would leave the package
      segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (const auto& segment : segments) {
    if (!out.empty()) out += '/';
    out += segment;
  }
  return out;
}

std::string RelativeTarget(std::string_view source_part, std::string_view part) {
  std::string folder = FolderOf(source_part);
  if (!folder.empty() && part.substr(0, folder.size()) == folder)
    return std::string(part.substr(folder.size()));
  return std::string("/").append(part);
}

bool TypeIs(std::string_view type_uri, std::string_view last_segment) {
  size_t slash = type_uri.rfind('/');
  std::string_view last = slash == std::string_view::npos ? type_uri : type_uri.substr(slash + 1);
  return last == last_segment;
}

std::vector<Relationship> ReadRelationships(const pugi::xml_document& rels,
                                            std::string_view source_part) {
  std::vector<Relationship> out;
  pugi::xml_node root = rels.document_element();
  for (pugi::xml_node node = Child(root, "Relationship"); node;
       node = NextNamed(node, "Relationship")) {
    Relationship rel;
    rel.id = node.attribute("Id").as_string();
    rel.type = node.attribute("Type").as_string();
    rel.node = node;
    if (std::string_view(node.attribute("TargetMode").as_string()) != "External")
      rel.target = ResolveTarget(source_part, node.attribute("Target").as_string());
    out.push_back(std::move(rel));
  }
  return out;
}

std::string UnusedRelationshipId(const pugi::xml_document& rels) {
  std::set<std::string> used;
  pugi::xml_node root = rels.document_element();
  for (pugi::xml_node node = Child(root, "Relationship"); node;
       node = NextNamed(node, "Relationship"))
    used.insert(node.attribute("Id").as_string());
  for (int n = 1;; ++n) {
    std::string id = std::string("rId").append(std::to_string(n));
    if (used.count(id) == 0) return id;
  }
}

}  // namespace tsumiki::workbook
