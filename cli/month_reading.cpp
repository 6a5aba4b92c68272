#include "cli/month_reading.h"

#include "cli/command_session.h"
#include "present/notices.h"

namespace tsumiki::cli {

std::optional<ReadMonth> OpenReadMonth(CliContext& ctx) {
  ReadMonth month;
  month.session = OpenCommandSession(ctx);
  if (!month.session) return std::nullopt;
  EngineContext engine = month.session->Context();
  month.judgement = JudgeMonth(engine);
  if (!month.judgement.Readable()) {
    ShowNotice(*ctx.host, *month.judgement.refusal);
    CloseReadMonth(month);
    return std::nullopt;
  }
  return month;
}

int CloseReadMonth(ReadMonth& month, int status) {
  if (!month.session || !month.session->IsOpen()) return status;
  return month.session->Close(false) == ShutdownResult::kClosed ? status : kExitFailure;
}

}  // namespace tsumiki::cli
