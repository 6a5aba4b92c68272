#include <QPushButton>

#include "app/main_commands.h"
#include "app/save_restore.h"
#include "creation/start_conditions.h"
#include "gui/desktop_app.h"
#include "gui/main_panel.h"
#include "gui/qt_host.h"
#include "optimise/readjust_text.h"
#include "ui/forms.h"

namespace tsumiki::gui {

// The main panel's buttons, each the core's command of the same name; the windows
// they open come up through ShowForm, as the core's own commands open them.
void DesktopApp::RunCommand(const QString& name) {
  MainCommands& commands = *commands_;
  const std::string control = name.toStdString();
  // During a run only the help pages open; a second run would share the run's
  // conditions and roster.
  if (IsBusy() && !name.startsWith(QStringLiteral("cmdH"))) return;
  if (name == QStringLiteral("cmd閉じる")) {
    ShutDown();
  } else if (name == QStringLiteral("cmd勤務表作成")) {
    BeginCommand(nullptr);
    commands.CreateRoster();
    EndCommand();
    Q_EMIT CreationFinished();
  } else if (name == QStringLiteral("cmd勤務表")) {
    commands.ShowRoster();
  } else if (name == QStringLiteral("cmd勤務表クリア")) {
    BeginCommand(nullptr);
    commands.ClearRoster();
    EndCommand();
  } else if (name == QStringLiteral("cmd再調整")) {
    commands.PrepareReadjust();
    ShowForm(*host_, kReadjustForm);
  } else if (name == QStringLiteral("cmd開始条件設定")) {
    commands.PrepareStartConditions();
    ShowForm(*host_, kStartConditionsForm);
  } else if (name == QStringLiteral("cmd保存読込")) {
    ShowForm(*host_, kSaveRestoreForm);
  } else if (name == QStringLiteral("cmd基本設定")) {
    commands.GoToSheet(SheetButton::kBasicSettings);
  } else if (name == QStringLiteral("cmd要員設定")) {
    commands.GoToSheet(SheetButton::kStaffing);
  } else if (name == QStringLiteral("cmd個人別設定")) {
    commands.GoToSheet(SheetButton::kMemberConditions);
    if (QPushButton* button = panel_->Button(name)) button->setFocus();
  } else {
    for (const HelpPage& page : HelpPages()) {
      if (page.control == control) commands.OpenHelp(page);
    }
  }
}

}  // namespace tsumiki::gui
