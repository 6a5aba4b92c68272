#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "conditions/condition_model.h"
#include "conditions/engine_context.h"
#include "conditions/run_state.h"
#include "ui/host.h"
#include "ui/random.h"
#include "workbook/workbook.h"

namespace tsumiki {

// Texts of start-up and shutdown.
inline constexpr std::string_view kStartingSuffix = "起動中";
inline constexpr std::string_view kClosingStatus = "終了処理中";
inline constexpr std::string_view kSaveQuestion =
    "ワークブックに保存していない変更があります。\n保存してから閉じますか？";
inline constexpr std::string_view kSaveQuestionTitle = "保存確認";
inline constexpr std::string_view kStartupErrorTitle = "起動エラー";
inline constexpr std::string_view kSaveErrorTitle = "保存エラー";
inline constexpr std::string_view kSaveFailedLead =
    "ワークブックを保存できませんでした。作業内容はまだ失われていません。";
inline constexpr std::string_view kCloseErrorTitle = "終了エラー";
inline constexpr std::string_view kCloseFailedLead =
    "ワークブックを閉じる処理でエラーが起きました（保存はしていません）。";
inline constexpr std::string_view kWorkbookMissingLead = "シフト表のワークブックが見つかりません：";
inline constexpr std::string_view kWorkbookMissingHint =
    "shift.xlsm のあるフォルダで起動するか、ワークブックの場所を指定してください。";
inline constexpr std::string_view kLegacyWorkbookLead =
    "古い形式（.xls）のワークブックは開けません：";
inline constexpr std::string_view kLegacyWorkbookHint =
    "表計算ソフトで「Excel マクロ有効ブック（.xlsm）」として保存し直してから起動してください。";

// The two workbook file names the program looks for.
inline constexpr std::string_view kWorkbookXls = "shift.xls";
inline constexpr std::string_view kWorkbookXlsm = "shift.xlsm";

// "shift.xls" for a spreadsheet version whose integer part is 9, 10 or 11;
// otherwise "shift.xlsm" when that file exists in `directory`, else "shift.xls".
std::string LocateWorkbookName(const std::filesystem::path& directory, std::string_view version);

// The workbook's one path for the whole session, fixed at start-up: absolute (a
// relative `given` counts from `start_dir`, whatever folder is current later) and
// with every symbolic link resolved, so that saves replace the real file and the
// lock file stands beside it.
std::filesystem::path ResolveWorkbookPath(const std::filesystem::path& start_dir,
                                          const std::filesystem::path& given);

struct PixelPoint {
  int left = 0;
  int top = 0;
};

// The main window's place in the bottom-right corner: left cx - w - 16, top
// cy - h - 28, with the window and screen sizes in whole pixels.
PixelPoint PlaceAtBottomRight(const PixelSize& window, const ScreenMetrics& screen);

struct SessionOptions {
  // The folder that is current at start-up; the workbook is looked for here.
  std::filesystem::path start_dir;
  // A workbook given explicitly (the command line's --workbook); it replaces the
  // search of LocateWorkbookName.
  std::optional<std::filesystem::path> workbook;
  // A fixed seed makes every run of the session reproducible.
  std::optional<std::uint64_t> seed;
};

// How shutdown ended.
enum class ShutdownResult {
  kCancelled,   // the planner chose Cancel: nothing happened
  kClosed,      // the workbook was saved or discarded as asked
  kSaveFailed,  // the save failed; the message was shown and the session stays open
};

// The session: the open workbook and everything the commands of the core work on
// (condition model, run state, session values, the random generator), from
// start-up to shutdown.
class Session {
 public:
  Session(Host& host, SessionOptions options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Start-up: opens the workbook, sizes the condition model, reads the start
  // conditions and the creation mode. False after a failure that has been shown to
  // the planner (the program then ends with status 1).
  bool StartUp();

  // The workbook that StartUp opens: the given one or the one found in the start
  // folder, resolved by ResolveWorkbookPath.
  std::filesystem::path WorkbookToOpen() const;
  // Opens `path` instead (counted from the start folder when relative): the
  // planner chose another workbook before StartUp.
  void ChooseWorkbook(std::filesystem::path path) { options_.workbook = std::move(path); }

  // Shutdown of the close button: asks whether to save, then saves or discards.
  ShutdownResult Shutdown();
  // Shutdown with the answer already given (the command line's --save / --no-save).
  ShutdownResult Close(bool save);

  // Reads the start conditions of the last run from sheet Main (also used after the
  // conditions were restored from a file). Throws WorkbookError on a missing name or
  // a value that is no number.
  void ReadStartConditions();

  bool IsOpen() const { return book_ != nullptr; }
  EngineContext Context();
  workbook::Workbook& Book() { return *book_; }
  Host& GetHost() { return host_; }
  ConditionModel& Model() { return model_; }
  RunState& Run() { return run_; }
  SessionValues& Values() { return values_; }
  RandomSource& Random() { return random_; }

 private:
  void ReadCreationMode();

  Host& host_;
  SessionOptions options_;
  std::unique_ptr<workbook::Workbook> book_;
  ConditionModel model_;
  RunState run_;
  SessionValues values_;
  RandomSource random_;
};

}  // namespace tsumiki
