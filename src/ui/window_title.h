#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tsumiki {

// The search key of FindWindowByTitle: the text before its first ".", or the whole
// text when it has none ("Microsoft Excel - shift.xls" -> "Microsoft Excel - shift").
std::string_view WindowTitleKey(std::string_view text);

// The window FindWindowByTitle picks among top-level window titles given in
// enumeration order: the last title that contains the key, where the search stops
// at the first title exactly equal to the key. Its position, or none.
std::optional<std::size_t> PickWindowByTitle(const std::vector<std::string>& titles,
                                             std::string_view text);

}  // namespace tsumiki
