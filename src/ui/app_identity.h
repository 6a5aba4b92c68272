#pragma once

#include <string>
#include <string_view>

namespace tsumiki {

// The program's name and version as the planner sees them, in one place.
inline constexpr std::string_view kTitleText = "<ツミキ>";
inline constexpr std::string_view kVersionText = "1.05";

// "<ツミキ>1.05": the main window's caption and the command line's --version.
inline std::string TitleWithVersion() {
  return std::string(kTitleText) + std::string(kVersionText);
}

}  // namespace tsumiki
