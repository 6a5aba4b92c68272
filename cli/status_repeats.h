#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace tsumiki::cli {

// A status text that comes again and again (the retry lines of a month that keeps
// failing come once per pass, thousands of times a minute) is written once, then
// at most once a second with the number of times it has come, so a log stays
// readable and the count still tells how hard the run is working.
class StatusRepeats {
 public:
  // What to write for `text` shown at `now_ms`: the text itself the first time, the
  // text with its count when a second has passed since it was last written, or
  // nothing.
  std::optional<std::string> Line(std::string_view text, std::int64_t now_ms);

  // Whether `text` has been shown before.
  bool Seen(std::string_view text) const { return seen_.find(text) != seen_.end(); }

  // The text with its count as written for a repeat.
  static std::string CountedText(std::string_view text, int count);

 private:
  struct Record {
    int count = 0;
    std::int64_t written_ms = 0;
  };
  std::map<std::string, Record, std::less<>> seen_;
};

}  // namespace tsumiki::cli
