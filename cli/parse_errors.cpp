#include "cli/parse_errors.h"

#include <CLI/CLI.hpp>
#include <regex>
#include <string_view>

#include "conditions/layout.h"

namespace tsumiki::cli {

namespace {

// {0}: the option or argument.
constexpr std::string_view kNeedsCommand = "コマンドを指定してください。";
constexpr std::string_view kRequired = "{0} を指定してください。";
constexpr std::string_view kOneOf = "次のどれかを指定してください：{0}";
// {0}: the words that were not expected.
constexpr std::string_view kUnexpected =
    "「{0}」は使えません（知らないコマンド、オプションまたは余分な値です）。";
constexpr std::string_view kExcludes = "{0} と {1} は一緒に指定できません。";
constexpr std::string_view kRequires = "{0} には {1} も指定してください。";
constexpr std::string_view kValueCount = "{0} の値の数が正しくありません。";
constexpr std::string_view kMissingValue = "{0} には値を指定してください。";
// {0}: the value, {1}: the option.
constexpr std::string_view kBadValue = "{1} に「{0}」は指定できません。";
constexpr std::string_view kBadValueOf = "{0} の値が正しくありません。";
constexpr std::string_view kOther = "指定を読み取れません。";

bool Ascii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

}  // namespace

std::string JapaneseParseError(const CLI::ParseError& error) {
  const std::string text = error.what();
  std::smatch m;
  if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
    if (text.find("subcommand") != std::string::npos) return std::string(kNeedsCommand);
    if (std::regex_search(text, m, std::regex(R"(\[(.*)\])")))
      return layout::Format(kOneOf, {m[1].str()});
    if (std::regex_match(text, m, std::regex(R"((.+) is required)")))
      return layout::Format(kRequired, {m[1].str()});
  } else if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
    if (std::regex_search(text, m, std::regex(R"(expected: (.*))")))
      return layout::Format(kUnexpected, {m[1].str()});
  } else if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
    if (std::regex_match(text, m, std::regex(R"((\S+) excludes (\S+))")))
      return layout::Format(kExcludes, {m[1].str(), m[2].str()});
  } else if (dynamic_cast<const CLI::RequiresError*>(&error) != nullptr) {
    if (std::regex_match(text, m, std::regex(R"((\S+) requires (\S+))")))
      return layout::Format(kRequires, {m[1].str(), m[2].str()});
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
    if (std::regex_search(text, m, std::regex(R"(^(\S+): \d+ required .* missing)")))
      return layout::Format(kMissingValue, {m[1].str()});
    if (std::regex_search(text, m, std::regex(R"(arguments to (\S+),)")) ||
        std::regex_search(text, m, std::regex(R"(^(\S+)[: ])")))
      return layout::Format(kValueCount, {m[1].str()});
  } else if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr) {
    if (std::regex_search(text, m,
                          std::regex(R"(The value (.*) is not an allowed value for (\S+))")))
      return layout::Format(kBadValue, {m[1].str(), m[2].str()});
    if (std::regex_search(text, m, std::regex(R"(Could not convert: (\S+) = (.*))")))
      return layout::Format(kBadValue, {m[2].str(), m[1].str()});
    if (std::regex_search(text, m, std::regex(R"(^(\S+):)")))
      return layout::Format(kBadValueOf, {m[1].str()});
  } else if (dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
    // Our own checks word their reason in Japanese after "NAME: ".
    if (std::regex_search(text, m, std::regex(R"(^(\S+): ([\s\S]*))"))) {
      if (!Ascii(m[2].str())) return m[1].str() + " の" + m[2].str();
      return layout::Format(kBadValueOf, {m[1].str()});
    }
  }
  return std::string(kOther);
}

}  // namespace tsumiki::cli
