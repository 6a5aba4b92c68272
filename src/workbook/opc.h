#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace tsumiki::workbook {

// Relationship types by their last path segment ("…/relationships/worksheet").
inline constexpr std::string_view kRelOfficeDocument = "officeDocument";
inline constexpr std::string_view kRelWorksheet = "worksheet";
inline constexpr std::string_view kRelSharedStrings = "sharedStrings";
inline constexpr std::string_view kRelStyles = "styles";
inline constexpr std::string_view kRelCalcChain = "calcChain";

inline constexpr const char* kRelTypeBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
inline constexpr const char* kContentTypeWorksheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr const char* kContentTypeSharedStrings =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr const char* kContentTypeStyles =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";

// One <Relationship> of a .rels part, with its Target resolved to a part name.
struct Relationship {
  std::string id;
  std::string type;    // the full type URI
  std::string target;  // resolved part name without a leading "/", empty when external
  pugi::xml_node node;
};

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; "" -> "_rels/.rels".
std::string RelsPartFor(std::string_view part);
// Resolves a Target against the folder of the source part. Empty when the target
// leaves the package ("../../x") or is external.
std::string ResolveTarget(std::string_view source_part, std::string_view target);
// A Target for `part` written relative to the folder of `source_part`.
std::string RelativeTarget(std::string_view source_part, std::string_view part);
bool TypeIs(std::string_view type_uri, std::string_view last_segment);

std::vector<Relationship> ReadRelationships(const pugi::xml_document& rels,
                                            std::string_view source_part);
// An Id not used by any relationship of the document ("rId7").
std::string UnusedRelationshipId(const pugi::xml_document& rels);

}  // namespace tsumiki::workbook
