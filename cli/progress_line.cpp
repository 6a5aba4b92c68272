#include "cli/progress_line.h"

#include <algorithm>

#include "cli/cli_texts.h"

namespace tsumiki::cli {

namespace {
constexpr int kBarCells = 20;
}

std::string ProgressLineText(const ProgressView& view) {
  std::string line(kProgressLead);
  const int span = view.bar_max - view.bar_min;
  if (span > 0) {
    const int done = std::clamp(view.bar_value - view.bar_min, 0, span);
    const int cells = done * kBarCells / span;
    line += " [" + std::string(static_cast<std::size_t>(cells), '#') +
            std::string(static_cast<std::size_t>(kBarCells - cells), '-') + "] " +
            std::to_string(view.bar_value) + "/" + std::to_string(view.bar_max) +
            std::string(kProgressDayUnit);
  }
  if (view.pass_number > 0) {
    line += " " + std::string(kProgressPassLead) + std::to_string(view.pass_number) +
            std::string(kProgressPassTail);
  }
  if (!view.remaining_text.empty()) {
    line += " " + std::string(kProgressRemainingLead) + view.remaining_text;
  }
  return line;
}

std::string FitToColumns(std::string_view text, int columns) {
  std::string out;
  int used = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
      length = 4;
    } else if (lead >= 0xE0) {
      length = 3;
    } else if (lead >= 0xC0) {
      length = 2;
    }
    length = std::min(length, text.size() - i);
    const int width = length == 1 ? 1 : 2;
    if (used + width > columns) break;
    out.append(text.substr(i, length));
    used += width;
    i += length;
  }
  return out;
}

}  // namespace tsumiki::cli
