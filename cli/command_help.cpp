#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

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

int RunHelp(CliContext& ctx, const std::string& topic) {
  const auto page = FindHelpPage(topic);
  if (!page) {
    ctx.err << layout::Format(kUnknownTopic, {topic});
    for (const HelpPage& p : HelpPages()) ctx.err << ' ' << p.alias << '(' << p.topic << ')';
    ctx.err << '\n';
    return kExitUsage;
  }
  const std::string address = HelpAddress(BuiltInHelpLocation(), *page);
  ctx.out << page->tip << ": " << address << '\n';
  ctx.host->OpenUrl(address);
  return kExitOk;
}

}  // namespace

void AddHelpCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("help", std::string(kHelpCommandHelp));
  auto topic = std::make_shared<std::string>();
  sub->add_option("TOPIC", *topic, std::string(kTopicHelp));
  OnRun(sub, ctx, [&ctx, topic] { return RunHelp(ctx, *topic); });
}

}  // namespace tsumiki::cli
