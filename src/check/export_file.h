#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tsumiki {

// Writes one exported file (calendar, page) whole or not at all: through a
// temporary file beside `target` renamed over it, so a reader never sees half a
// page and a failed write leaves the old file. A target that OutputRefusal refuses
// (the workbook itself under any name, a file another program holds, a folder or
// a device) is not written: an export never replaces the month it was made from. Returns an empty text, or the Japanese
// reason naming the file.
std::string WriteExportFile(const std::filesystem::path& target, std::string_view bytes,
                            const std::filesystem::path& workbook);

// {0}: the path, {1}: the system's reason.
inline constexpr std::string_view kExportWriteFailed = "「{0}」に書き出せませんでした。{1}";

}  // namespace tsumiki
