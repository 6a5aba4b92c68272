#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "app/main_commands_help.h"
#include "cli/commands.h"
#include "conditions/layout.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kHelpCommandHelp =
    "ヘルプページの場所を表示し、ブラウザーがあれば開きます";
constexpr std::string_view kTopicHelp =
    "ページ（top 開始条件 基本 要員 個人別 保存、または start basic staffing member conditions）";
// {0}: the topic as given.
constexpr std::string_view kUnknownTopic =
    "ヘルプのページ「{0}」はありません。次から選んでください：";

// The help page about what a command sets, for the commands that have one.
constexpr std::pair<std::string_view, std::string_view> kCommandPages[] = {
    {"create", "start"}, {"settings", "start"}, {"conditions", "conditions"}};

const CLI::App* CommandNamed(const CLI::App& app, const std::string& name) {
  const auto named =
      app.get_subcommands([&name](const CLI::App* sub) { return sub->get_name() == name; });
  return named.empty() ? nullptr : named.front();
}

int ShowPage(CliContext& ctx, const HelpPage& page) {
  const std::string address = HelpAddress(BuiltInHelpLocation(), page);
  ctx.out << page.tip << ": " << address << '\n';
  ctx.host->OpenUrl(address);
  return kExitOk;
}

int RunHelp(CliContext& ctx, const CLI::App& app, const std::string& topic) {
  auto page = FindHelpPage(topic);
  if (!page) {
    // A command's name: its usage, and the page about what it sets.
    if (const CLI::App* command = CommandNamed(app, topic)) {
      ctx.out << command->help();
      for (const auto& [name, page_topic] : kCommandPages) {
        if (name == topic) return ShowPage(ctx, *FindHelpPage(page_topic));
      }
      return kExitOk;
    }
    ctx.err << layout::Format(kUnknownTopic, {topic});
    for (const HelpPage& p : HelpPages()) ctx.err << ' ' << p.alias << '(' << p.topic << ')';
    ctx.err << '\n';
    return kExitUsage;
  }
  return ShowPage(ctx, *page);
}

}  // namespace

void AddHelpCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("help", std::string(kHelpCommandHelp));
  auto topic = std::make_shared<std::string>();
  sub->add_option("TOPIC", *topic, std::string(kTopicHelp));
  // The root lives for the whole run of the command line.
  OnRun(sub, ctx, [&ctx, &app, topic] { return RunHelp(ctx, app, *topic); });
}

}  // namespace tsumiki::cli
