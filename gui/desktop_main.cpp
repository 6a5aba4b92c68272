#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "gui/desktop_app.h"
#include "gui/gui_texts.h"
#include "gui/main_panel.h"
#include "gui/message_box.h"
#include "gui/qt_host.h"
#include "gui/screenshot_tour.h"

namespace tsumiki::gui {

namespace {
// The title of the box that closes a successful creation run.
const QString kCreatedTitle = QStringLiteral("作成完了");

// --create / --screenshot: press the create button once the windows are up and,
// when the closing box appears, photograph the screen, press its OK and end
// without saving. Any other question gets its default button.
void ScheduleDemonstration(DesktopApp& app, const QString& screenshot_path) {
  QTimer::singleShot(800, &app, [&app] {
    if (QPushButton* create = app.Panel()->Button(QStringLiteral("cmd勤務表作成"))) create->click();
  });
  if (screenshot_path.isEmpty()) return;
  auto* watcher = new QTimer(&app);
  watcher->setInterval(100);
  QObject::connect(watcher, &QTimer::timeout, &app, [watcher, screenshot_path] {
    auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    if (box->windowTitle() == kCreatedTitle) {
      watcher->stop();
      // The picture shows the panel beside the finished roster, the box gone.
      QTimer::singleShot(300, box, [box, screenshot_path] {
        box->DefaultButton()->click();
        QTimer::singleShot(800, [screenshot_path] {
          QGuiApplication::primaryScreen()->grabWindow(0).save(screenshot_path);
          QCoreApplication::exit(0);
        });
      });
      return;
    }
    if (box->DefaultButton() != nullptr) box->DefaultButton()->click();
  });
  watcher->start();
}
// --benchmark: presses the create button once the windows are up and drawn (as a
// planner would), answers every box with its default button, and at the closing
// box prints the time from the press to it and ends without saving.
void ScheduleBenchmark(DesktopApp& app) {
  constexpr int kSettleMs = 1000;
  auto* clock = new QElapsedTimer;
  QObject::connect(&app, &QObject::destroyed, [clock] { delete clock; });
  auto* watcher = new QTimer(&app);
  watcher->setInterval(5);
  QObject::connect(watcher, &QTimer::timeout, &app, [watcher, clock] {
    auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || box->DefaultButton() == nullptr) return;
    if (box->windowTitle() == kCreatedTitle) {
      watcher->stop();
      std::printf("desktop_create_ms %lld\n", static_cast<long long>(clock->elapsed()));
      std::fflush(stdout);
      QCoreApplication::exit(0);
    }
    box->DefaultButton()->click();
  });
  QTimer::singleShot(kSettleMs, &app, [&app, watcher, clock] {
    watcher->start();
    clock->start();
    if (QPushButton* create = app.Panel()->Button(QStringLiteral("cmd勤務表作成"))) create->click();
  });
}
}  // namespace

void LoadQtTranslations(QApplication& application) {
  // Qt's own dialogs and menus (file dialogs, the cell editor's menu) in Japanese,
  // whatever the locale of the session.
  auto* translator = new QTranslator(&application);
  if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(translator);
  }
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

int RunDesktop(QApplication& application) {
  LoadQtTranslations(application);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("ツミキ：勤務シフト表の作成"));
  parser.addHelpOption();
  const QCommandLineOption workbook_option(
      QStringLiteral("workbook"),
      QStringLiteral("開くワークブック（既定：起動したフォルダの shift.xlsm）"),
      QStringLiteral("PATH"));
  const QCommandLineOption seed_option(QStringLiteral("seed"),
                                       QStringLiteral("乱数の種（同じ種なら同じシフト表）"),
                                       QStringLiteral("N"));
  const QCommandLineOption create_option(QStringLiteral("create"),
                                         QStringLiteral("起動後にシフト表作成を押す"));
  const QCommandLineOption screenshot_option(
      QStringLiteral("screenshot"),
      QStringLiteral("作成完了の画面を保存して、保存せずに終了する（--create と併用）"),
      QStringLiteral("PNG"));
  const QCommandLineOption tour_option(
      QStringLiteral("screenshot-tour"),
      QStringLiteral("画面を順に撮影して FOLDER に保存し、保存せずに終了する"),
      QStringLiteral("FOLDER"));
  const QCommandLineOption prefix_option(QStringLiteral("screenshot-prefix"),
                                         QStringLiteral("撮影した画像の名前の頭"),
                                         QStringLiteral("TEXT"), QStringLiteral("screen"));
  const QCommandLineOption benchmark_option(
      QStringLiteral("benchmark"),
      QStringLiteral(
          "起動後すぐにシフト表作成を押し、作成完了までの時間を表示して、保存せずに終了する"));
  parser.addOption(benchmark_option);
  parser.addOption(tour_option);
  parser.addOption(prefix_option);
  parser.addOption(workbook_option);
  parser.addOption(seed_option);
  parser.addOption(create_option);
  parser.addOption(screenshot_option);
  parser.process(application);

  DesktopOptions options;
  options.start_dir = QDir::currentPath().toStdString();
  if (parser.isSet(workbook_option)) options.workbook = parser.value(workbook_option).toStdString();
  if (parser.isSet(seed_option)) {
    bool ok = false;
    const qulonglong seed = parser.value(seed_option).toULongLong(&ok);
    if (!ok) {
      ShowMessageBox(nullptr, kSeedInvalidMessage,
                     QString::fromUtf8(kStartupErrorTitle.data(),
                                       static_cast<qsizetype>(kStartupErrorTitle.size())),
                     MsgButtons::kOk, MsgIcon::kCritical);
      return 1;
    }
    options.seed = seed;
  }

  DesktopApp app(options);
  if (!app.StartUp()) return 1;
  if (parser.isSet(benchmark_option)) {
    ScheduleBenchmark(app);
  } else if (parser.isSet(tour_option)) {
    StartScreenshotTour(app, parser.value(tour_option), parser.value(prefix_option));
  } else if (parser.isSet(create_option) || parser.isSet(screenshot_option)) {
    ScheduleDemonstration(app, parser.value(screenshot_option));
  }
  return application.exec();
}

}  // namespace tsumiki::gui
