#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "print/roster_sheet.h"

// The laid-out pages as text, as the command line hands them to the program that
// draws the PDF: one record per line, its fields separated by tabs, texts last
// with tab, line break and backslash escaped. The first line names the form, so
// that a drawing program of another version refuses what it cannot read.
namespace tsumiki {

std::string WritePageStream(const PrintedRoster& roster);
// Nullopt when the text is not a whole document of this form.
std::optional<PrintedRoster> ReadPageStream(std::string_view text);

}  // namespace tsumiki
