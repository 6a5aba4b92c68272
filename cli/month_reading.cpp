#include "cli/month_reading.h"

#include "cli/command_session.h"

namespace tsumiki::cli {

std::optional<ReadMonth> OpenReadMonth(CliContext& ctx) {
  ReadMonth month;
  month.session = OpenCommandSession(ctx);
  if (!month.session) return std::nullopt;
  EngineContext engine = month.session->Context();
  if (!ReadRosterAsItStands(engine)) {
    CloseReadMonth(month);
    return std::nullopt;
  }
  month.labels = ReadMonthLabels(month.session->Book(), month.session->Model());
  return month;
}

int CloseReadMonth(ReadMonth& month, int status) {
  if (!month.session || !month.session->IsOpen()) return status;
  return month.session->Close(false) == ShutdownResult::kClosed ? status : kExitFailure;
}

}  // namespace tsumiki::cli
