#include "cli/command_session.h"

#include <filesystem>
#include <system_error>

namespace tsumiki::cli {

std::unique_ptr<Session> OpenCommandSession(CliContext& ctx) {
  SessionOptions options;
  std::error_code ec;
  options.start_dir = std::filesystem::current_path(ec);
  if (!ctx.options.workbook.empty()) options.workbook = ctx.options.workbook;
  options.seed = ctx.options.seed;
  auto session = std::make_unique<Session>(*ctx.host, options);
  if (!session->StartUp()) return nullptr;
  return session;
}

int CloseCommandSession(CliContext& ctx, Session& session, int status) {
  if (!session.IsOpen()) return status;
  ShutdownResult result;
  if (!session.Book().IsModified()) {
    result = session.Close(false);
  } else if (ctx.options.save) {
    result = session.Close(*ctx.options.save);
  } else {
    result = session.Shutdown();
  }
  return result == ShutdownResult::kSaveFailed ? kExitFailure : status;
}

}  // namespace tsumiki::cli
