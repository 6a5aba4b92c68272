#pragma once

#include <string>
#include <string_view>

namespace tsumiki {

// The program's name and version as the planner sees them, in one place.

// TitleText: the title of the main window and of the program's message boxes.
inline constexpr std::string_view kTitleText = "<ツミキ>";

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 5;

// VersionText: major + "." + minor + revision, each a plain decimal (1, 0, 5 give
// "1.05").
inline std::string VersionText() {
  return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
         std::to_string(kVersionRevision);
}
inline const std::string kVersionText = VersionText();

// "<ツミキ>1.05": the main window's caption and the command line's --version.
inline std::string TitleWithVersion() {
  return std::string(kTitleText) + VersionText();
}

}  // namespace tsumiki
