#include "laptop_screen_helper.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace tsumiki::gui::testing {

void UseLaptopScreen() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (!platform.isEmpty() && platform != "offscreen") return;
  const QString config = QDir::temp().filePath(QStringLiteral("tsumiki-screen-1366x768.json"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(R"({"screens":[{"name":"laptop","x":0,"y":0,"width":1366,"height":768,)"
             R"("logicalDpi":96,"logicalBpp":32,"dpr":1}]})");
  file.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
}

}  // namespace tsumiki::gui::testing
