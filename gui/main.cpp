// tsumiki-gui: the desktop program, started in the folder that holds the workbook.
#include <QApplication>

#include "gui/desktop_app.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tsumiki-gui"));
  return tsumiki::gui::RunDesktop(application);
}
