#include "laptop_screen_helper.h"

#include <QByteArray>
#include <QDir>
#include <QSaveFile>
#include <QString>

namespace tsumiki::gui::testing {

void UseLaptopScreen() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && platform != "offscreen") return;
  const QString config = QDir::temp().filePath(QStringLiteral("tsumiki-screen-1366x768.json"));
  // Written aside and renamed: test programs run side by side read this file while
  // another one writes it, and the platform aborts on a half-written one.
  QSaveFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(R"({"screens":[{"name":"laptop","x":0,"y":0,"width":1366,"height":768,)"
             R"("logicalDpi":96,"logicalBpp":32,"dpr":1}]})");
  if (!file.commit()) return;
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
}

}  // namespace tsumiki::gui::testing
