#include "cli/status_repeats.h"

#include "cli/cli_texts.h"

namespace tsumiki::cli {

namespace {
constexpr std::int64_t kRepeatIntervalMs = 1000;
}

std::optional<std::string> StatusRepeats::Line(std::string_view text, std::int64_t now_ms) {
  auto found = seen_.find(text);
  if (found == seen_.end()) {
    seen_.emplace(std::string(text), Record{1, now_ms});
    return std::string(text);
  }
  Record& seen = found->second;
  ++seen.count;
  if (now_ms - seen.written_ms < kRepeatIntervalMs) return std::nullopt;
  seen.written_ms = now_ms;
  return CountedText(text, seen.count);
}

std::string StatusRepeats::CountedText(std::string_view text, int count) {
  return std::string(text) + std::string(kRepeatLead) + std::to_string(count) +
         std::string(kRepeatTail);
}

}  // namespace tsumiki::cli
