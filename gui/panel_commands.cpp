#include <QPushButton>

#include "gui/desktop_app.h"
#include "gui/main_panel.h"
#include "gui/qt_host.h"

namespace tsumiki::gui {

// The main panel's buttons, each the core's command of the same name.
void DesktopApp::RunCommand(const QString& name) {
  if (name == QStringLiteral("cmd閉じる")) {
    ShutDown();
    return;
  }
}

}  // namespace tsumiki::gui
