#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tsumiki {

// The folder of the help pages below the base address.
inline constexpr std::string_view kHelpPath = "web_dl/tsumiki/Help_shift/";

// One help button of the main window and its page.
struct HelpPage {
  std::string_view control;  // cmdHelp, cmdH開始条件 …
  std::string_view page;     // below kHelpPath
  std::string_view tip;      // the button's caption or tip
  std::string_view topic;    // the command line's topic name (`tsumiki help TOPIC`)
  std::string_view alias;    // the topic in Japanese, as the tip names it
};

// Every help page, the top page first.
std::span<const HelpPage> HelpPages();
// The page of a command-line topic (English or Japanese name, or the page's
// folder); the top page for an empty topic; nullopt for an unknown one.
std::optional<HelpPage> FindHelpPage(std::string_view topic);

// Where the help pages are read from. The build fixes an installed base address
// (a packager may point it at a web site); a program run from its build tree,
// where nothing is installed yet, falls back to the repository's own pages.
struct HelpLocation {
  std::string base;             // "file:///usr/share/tsumiki/help/", "https://…/"
  std::string source_fallback;  // the repository's docs/help folder, or empty
};
HelpLocation BuiltInHelpLocation();

// Shown when no browser could be started; {0}: the page's file or address.
inline constexpr std::string_view kHelpNotOpenedText =
    "ブラウザーを開けませんでした。ヘルプのページは次の場所にあります：\n{0}";
inline constexpr std::string_view kHelpNotOpenedTitle = "ヘルプ";

// Where the planner finds a page by hand: the file of a file:// address, else
// the address itself.
std::string HelpPlace(std::string_view address);

// The address of a page: base + "web_dl/tsumiki/Help_shift/" + page. For a
// file:// base whose page does not exist, the fallback folder's page is used
// when that one exists.
std::string HelpAddress(const HelpLocation& location, const HelpPage& page);

}  // namespace tsumiki
