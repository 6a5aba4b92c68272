#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "app/main_commands.h"
#include "app/session.h"
#include "gui/explanation_window.h"
#include "workbook/writer_lock.h"

class QApplication;

namespace tsumiki::gui {

class ExplanationWindow;
class MainPanel;
class QtHost;
class ReadjustView;
class RosterReview;
class SaveRestoreView;
class SheetWindow;
class StartConditionsWindow;

struct DesktopOptions {
  std::filesystem::path start_dir;
  std::optional<std::filesystem::path> workbook;
  std::optional<std::uint64_t> seed;
  // Tests: pauses advance a virtual clock instead of waiting.
  bool virtual_clock = false;
};

// The desktop program: the host, the session, the main panel, the sheet window and
// the modeless windows the panel opens, wired to the core's commands.
class DesktopApp : public QObject {
  Q_OBJECT
 public:
  explicit DesktopApp(DesktopOptions options, QObject* parent = nullptr);
  ~DesktopApp() override;

  // Start-up as the core runs it, then the windows appear. False after a failure
  // that has been shown, or when the planner chose to quit (the program then ends
  // with status 1).
  bool StartUp();
  // The workbook was opened read-only because another program holds it: saves
  // refuse to write.
  bool ReadOnly() const { return read_only_; }

  QtHost& Host() { return *host_; }
  Session& GetSession() { return *session_; }
  MainPanel* Panel() const;
  SheetWindow* Sheets() const;
  StartConditionsWindow* StartConditions() const;
  ReadjustView* Readjust() const;
  SaveRestoreView* SaveRestore() const;
  RosterReview* Review() const { return review_; }
  MainCommands& Commands() { return *commands_; }

  // A main-panel button by its object name.
  void RunCommand(const QString& name);
  // True once cmd閉じる has closed the session.
  bool HasShutDown() const { return shut_down_; }

 Q_SIGNALS:
  // Emitted when a creation run has ended (for the screenshot script).
  void CreationFinished();

 private:
  // Settles which file to open and takes its lock, asking the planner about a
  // missing workbook or one that another program holds. False when they quit.
  bool ClaimWorkbook();
  void RegisterForms();
  void BuildWindowMenu();
  void KeepMarkedCellsClear();
  void FreezeRosterPanes();
  void OpenStartConditions();
  void OpenReadjust();
  void CloseStartConditions();
  void CloseReadjust();
  void OpenSaveRestore();
  void CloseSaveRestore();
  void ShutDown();
  // cmd勤務表作成; a month that cannot be staffed gets the offer of its nearest
  // month on the window that explains it.
  void CreateRoster();
  void OfferNearestMonth(const CreateResult& result, ExplanationWindow* shown_before);
  // Asks `question` when the roster sheet already holds a month; true to go on.
  bool ConfirmReplacingRoster(const QString& question);
  // A run or another command that changes the workbook is under way: the panel's
  // other commands and the other windows wait. `source` stays live.
  void BeginCommand(QWidget* source);
  void EndCommand();
  bool IsBusy() const { return busy_depth_ > 0; }
  // A line in the sheet window's status bar that stays until the next one.
  void ShowStatusText(const QString& text);

  std::unique_ptr<QtHost> host_;
  // Held from start-up until the session closes; released after the workbook.
  std::optional<workbook::WriterLock> lock_;
  bool read_only_ = false;
  std::unique_ptr<Session> session_;
  QPointer<MainPanel> panel_;
  QPointer<SheetWindow> sheets_;
  RosterReview* review_ = nullptr;  // owned by the sheet window
  QPointer<StartConditionsWindow> start_conditions_;
  QPointer<ReadjustView> readjust_;
  QPointer<SaveRestoreView> save_restore_;
  std::unique_ptr<MainCommands> commands_;
  bool shut_down_ = false;
  int busy_depth_ = 0;
  bool close_after_command_ = false;  // the panel was closed during a run
  QPointer<ExplanationWindow> nearest_offer_;  // the last run's offer, while it holds
};

// Qt's Japanese translations (qtbase_ja), when installed.
void LoadQtTranslations(QApplication& application);
// main(): options from the command line, start-up, the event loop.
int RunDesktop(QApplication& application);

}  // namespace tsumiki::gui
