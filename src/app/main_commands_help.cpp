#include "app/main_commands_help.h"

#include <array>
#include <filesystem>
#include <system_error>

// Both are set by docs/CMakeLists.txt; the defaults keep other builds working.
#ifndef TSUMIKI_HELP_BASE
#define TSUMIKI_HELP_BASE "file:///usr/local/share/tsumiki/help/"
#endif
#ifndef TSUMIKI_HELP_SOURCE_DIR
#define TSUMIKI_HELP_SOURCE_DIR ""
#endif

namespace tsumiki {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileScheme = "file://";

constexpr std::array<HelpPage, 6> kPages = {{
    {"cmdHelp", "index.htm", "ヘルプトップ", "top", "トップ"},
    {"cmdH開始条件", "kaisi-joken/index.htm", "開始条件設定のヘルプ", "start", "開始条件"},
    {"cmdH基本", "kihon-settei/index.htm", "基本設定のヘルプ", "basic", "基本"},
    {"cmdH要員", "yoin-settei/index.htm", "要員数設定のヘルプ", "staffing", "要員"},
    {"cmdH個人別", "kojin-settei/index.htm", "個人条件設定のヘルプ", "member", "個人別"},
    {"cmdH保存", "joken-hozon/joken-hozon.htm", "条件保存/読込のヘルプ", "conditions", "保存"},
}};

std::string_view Folder(std::string_view page) {
  const auto slash = page.find('/');
  return slash == std::string_view::npos ? std::string_view() : page.substr(0, slash);
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace

std::span<const HelpPage> HelpPages() {
  return kPages;
}

std::optional<HelpPage> FindHelpPage(std::string_view topic) {
  if (topic.empty()) return kPages.front();
  for (const HelpPage& p : kPages) {
    if (topic == p.topic || topic == p.alias || topic == p.control ||
        (!Folder(p.page).empty() && topic == Folder(p.page))) {
      return p;
    }
  }
  return std::nullopt;
}

HelpLocation BuiltInHelpLocation() {
  return {TSUMIKI_HELP_BASE, TSUMIKI_HELP_SOURCE_DIR};
}

std::string HelpPlace(std::string_view address) {
  if (address.rfind(kFileScheme, 0) == 0) return std::string(address.substr(kFileScheme.size()));
  return std::string(address);
}

std::string HelpAddress(const HelpLocation& location, const HelpPage& page) {
  std::string base = location.base;
  if (!base.empty() && base.back() != '/') base += '/';
  const std::string relative = std::string(kHelpPath) + std::string(page.page);
  const std::string address = base + relative;
  if (base.rfind(kFileScheme, 0) != 0 || location.source_fallback.empty()) return address;
  if (FileExists(fs::path(base.substr(kFileScheme.size())) / relative)) return address;
  const fs::path fallback = fs::path(location.source_fallback) / relative;
  if (FileExists(fallback)) return std::string(kFileScheme) + fallback.string();
  return address;
}

}  // namespace tsumiki
