#include "ui/window_title.h"

#include <algorithm>

namespace tsumiki {

namespace {
constexpr std::size_t kTitleBufferChars = 516;
}

std::string_view WindowTitleKey(std::string_view text) {
  const std::size_t dot = text.find('.');
  return dot == std::string_view::npos ? text : text.substr(0, dot);
}

std::optional<std::size_t> PickWindowByTitle(const std::vector<std::string>& titles,
                                             std::string_view text) {
  const std::string_view key = WindowTitleKey(text);
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    // A title is read into a buffer of 516 characters and cut at its first NUL.
    std::string_view title = titles[i];
    title = title.substr(0, std::min(title.find('\0'), kTitleBufferChars - 1));
    if (title.find(key) == std::string_view::npos) continue;
    found = i;
    if (title.size() == key.size()) break;
  }
  return found;
}

}  // namespace tsumiki
