#pragma once

#include <string>

namespace CLI {
class ParseError;
}

namespace tsumiki::cli {

// The planner's sentence for an error of the command-line parser: CLI11 words its
// errors in English, and none of that reaches a Japanese message. The options and
// values it names are kept.
std::string JapaneseParseError(const CLI::ParseError& error);

}  // namespace tsumiki::cli
