#pragma once

#include <string>
#include <string_view>

#include "app/session.h"

namespace tsumiki {

// Captions and texts of frm保存読込.
inline constexpr std::string_view kSaveRestoreForm = "frm保存読込";
inline constexpr std::string_view kSaveRestoreCaption = "条件データの保存と読込";
inline constexpr std::string_view kSaveConditionsButton = "条件データの保存";
inline constexpr std::string_view kRestoreConditionsButton = "既存条件データの読込";
inline constexpr std::string_view kSaveRestoreCloseButton = "閉じる";
inline constexpr std::string_view kConditionsFileFilter = "CSV ファイル (*.csv)|*.csv|*.*";
inline constexpr std::string_view kFileExistsSuffix = "は既に存在します！";
inline constexpr std::string_view kOverwriteQuestion = "上書きしますか？";
inline constexpr std::string_view kFileNameCheckTitle = "ファイル名の確認";

// The placement of the window: its top edge at 11/20 of the screen height.
inline constexpr int kSaveRestoreTopNumerator = 11;
inline constexpr int kSaveRestoreTopDenominator = 20;

enum class SaveRestoreOutcome {
  kNoFileChosen,       // the dialog was cancelled: nothing changed
  kOverwriteDeclined,  // the file exists and the planner kept it: nothing changed
  kSaved,              // the path was handed over and "!条件保存" wrote the file
  kSaveFailed,         // "!条件保存" could not write the file (said so)
  kRestored,           // "!条件読込" ran and the start conditions were read again
  kRefused,            // the file was refused (said so): nothing changed, the window stays
};

// "<path>は既に存在します！\n上書きしますか？"
std::string OverwriteQuestion(std::string_view path);

// The window logic of frm保存読込. The conditions file itself is written and read
// by the workbook macros; the window only chooses the file and hands its full path
// over in 名前リスト!C1.
class SaveRestoreWindow {
 public:
  explicit SaveRestoreWindow(Session& session) : session_(session) {}

  // Topmost, placed by the screen, and the roster sheet activated.
  void Load();

  // cmd保存: the save dialog, then SaveTo.
  SaveRestoreOutcome OnSaveClicked();
  // cmd復元: the open dialog, then RestoreFrom.
  SaveRestoreOutcome OnRestoreClicked();
  // cmd閉じる.
  void OnCloseClicked() { Close(); }

  // The steps after the dialog, for a path chosen elsewhere (the command line).
  // Saving asks before replacing an existing file, then hands the path over,
  // closes the window and runs the macro. Restoring hands the path over, runs the
  // macro, reads the start conditions again and closes the window. Both end in
  // StartDir.
  SaveRestoreOutcome SaveTo(const std::string& path);
  SaveRestoreOutcome RestoreFrom(const std::string& path);

  bool IsOpen() const { return open_; }

 private:
  void Close();
  void WritePathCell(const std::string& path);
  void ReturnToStartDir();

  Session& session_;
  bool open_ = false;
};

}  // namespace tsumiki
