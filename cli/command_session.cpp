#include "cli/command_session.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "cli/cli_texts.h"
#include "conditions/layout.h"
#include "present/readjust_text.h"
#include "workbook/file_replace.h"

namespace tsumiki::cli {

namespace {

constexpr std::string_view kLockTitle = "ブックの使用中";
constexpr std::string_view kReadOnlyTitle = "読み取り専用";
// {0}: the workbook.
constexpr std::string_view kReadOnly =
    "は読み取り専用のため保存できません。書き込みを許可するか、保存しないときは --no-save "
    "を付けて実行してください。";
// Said whenever a command that could have saved ends without saving because it
// did not succeed.
constexpr std::string_view kNotSaved = "処理が成功しなかったため、ブックは保存していません。";

// {0}: the workbook, {1}: how many other names it has.
constexpr std::string_view kOtherLinks =
    "「{0}」には別の名前（ハードリンク）が {1} 個あります。保存で置き換わるのはこの名前のファイル"
    "だけで、別の名前のほうは前の内容のままになります。";

// Takes the lock of the workbook a command may write, before anything of it is
// read. False after a refusal, which has been shown.
bool PrepareToWrite(CliContext& ctx, const std::filesystem::path& path) {
  std::error_code ec;
  // A missing file is start-up's to report.
  if (!std::filesystem::exists(path, ec)) return true;
  if (workbook::IsReadOnlyFile(path)) {
    ctx.host->MessageBox("「" + path.string() + "」" + std::string(kReadOnly), kReadOnlyTitle,
                         MsgButtons::kOk, MsgIcon::kExclamation);
    return false;
  }
  std::string refusal;
  ctx.writer_lock = workbook::WriterLock::TryLock(path, refusal);
  if (!ctx.writer_lock) {
    ctx.host->MessageBox(refusal, kLockTitle, MsgButtons::kOk, MsgIcon::kExclamation);
    return false;
  }
  return true;
}

// Lets a test send Ctrl-C at one step of the save ("rename": just before the new
// file replaces the old one), where no timing could put it reliably.
void SignalAtSaveStepForTests(workbook::Workbook& book) {
  const char* step = std::getenv("TSUMIKI_TEST_SIGINT_AT_SAVE_STEP");
  if (step == nullptr) return;
  book.SetSaveProbe([at = std::string(step)](const char* name) {
    if (at == name) std::raise(SIGINT);
  });
}

void Say(CliContext& ctx, std::string_view text) {
  if (ctx.progress != nullptr) ctx.progress->ClearProgressLine();
  ctx.err << text << '\n';
}

}  // namespace

std::unique_ptr<Session> OpenCommandSession(CliContext& ctx, WorkbookUse use) {
  SessionOptions options;
  std::error_code ec;
  options.start_dir = std::filesystem::current_path(ec);
  if (!ctx.options.workbook.empty()) options.workbook = ctx.options.workbook;
  options.seed = ctx.options.seed;
  auto session = std::make_unique<Session>(*ctx.host, options);
  // Ctrl-C is kept for the whole command, not only for the run it stops.
  RunState& run = session->Run();
  ctx.host->SetAbortHandler([&ctx, &run] {
    run.AbortRequested = true;
    ctx.interrupted = true;
  });
  // A batch run saves only with --save: without it there is nothing to lock.
  const bool may_write =
      use == WorkbookUse::kMayWrite && ctx.options.save.value_or(!ctx.options.batch);
  if (may_write && !PrepareToWrite(ctx, session->WorkbookToOpen())) return nullptr;
  if (!session->StartUp()) return nullptr;
  return session;
}

int CloseCommandSession(CliContext& ctx, Session& session, int status) {
  if (!session.IsOpen()) return status;
  ctx.host->DoEvents();  // a Ctrl-C still waiting to be taken
  if (ctx.interrupted && status == kExitOk) status = kExitAborted;
  if (status != kExitOk || !ctx.writer_lock) {
    // A failed, refused or stopped command leaves the file's bytes as they were,
    // whatever --save says: what it left in memory (a cleared roster, half-applied
    // conditions) is not the planner's work. Without the lock nothing is saved.
    const bool unsaved = session.Book().IsModified() || ctx.options.save.value_or(false);
    // Closing reads the file's package again; a failure there (memory) has been
    // shown and fails the command too.
    const bool closed = session.Close(false) == ShutdownResult::kClosed;
    if (unsaved && status != kExitOk) Say(ctx, ctx.interrupted ? kInterruptedNotSaved : kNotSaved);
    return closed || status != kExitOk ? status : kExitFailure;
  }
  bool save = false;
  if (session.Book().IsModified()) {
    if (ctx.options.save) {
      save = *ctx.options.save;
    } else {
      const MsgResult answer = ctx.host->MessageBox(kSaveQuestion, kSaveQuestionTitle,
                                                    MsgButtons::kYesNoCancel, MsgIcon::kQuestion);
      if (answer == MsgResult::kCancel) return status;
      save = answer == MsgResult::kYes;
      ctx.host->DoEvents();  // Ctrl-C while the question waited
      if (ctx.interrupted) {
        session.Close(false);
        Say(ctx, kInterruptedNotSaved);
        return kExitAborted;
      }
    }
  }
  if (save) {
    const std::filesystem::path path = session.Book().Path();
    if (const std::uintmax_t others = workbook::OtherLinks(path); others > 0)
      ctx.host->ShowWarning(
          layout::Format(kOtherLinks, {path.filename().string(), std::to_string(others)}));
    SignalAtSaveStepForTests(session.Book());
  }
  const bool modified = session.Book().IsModified();
  const ShutdownResult closed = session.Close(save);
  // A Ctrl-C during the save is not dropped: the file is then either the old one
  // (the save failed, which has been said) or wholly the new one. A save once
  // begun is finished, and then the command has done what it was asked.
  ctx.host->DoEvents();
  if (closed == ShutdownResult::kSaveFailed) return ctx.interrupted ? kExitAborted : kExitFailure;
  ctx.saved = save;
  if (ctx.interrupted) {
    if (save) {
      Say(ctx, kInterruptedAfterSave);
      return status;
    }
    if (modified) Say(ctx, kInterruptedNotSaved);
    return kExitAborted;
  }
  return status;
}

int RefuseCommand(CliContext& ctx, std::string_view message, std::string_view title) {
  ctx.host->MessageBox(message, title, MsgButtons::kOk, MsgIcon::kExclamation);
  return kExitFailure;
}

int RosterColumnOfDay(const ConditionModel& model, int day_of_month) {
  const auto base = BaseDate(model.CreateYear, model.CreateMonth, model.BaseStartDay);
  if (!base) return day_of_month >= 1 && day_of_month <= model.DayCount ? day_of_month : 0;
  for (int d = 1; d <= model.DayCount; ++d) {
    const std::chrono::year_month_day ymd{DayDate(*base, d)};
    if (static_cast<unsigned>(ymd.day()) == static_cast<unsigned>(day_of_month)) return d;
  }
  return 0;
}

}  // namespace tsumiki::cli
