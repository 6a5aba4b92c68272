// The desktop program's questions and verdicts around the month on the sheet:
// start-up on a workbook it cannot use, the questions before a month is replaced,
// a month that cannot be staffed and one that breaks a rule.
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <fstream>

#include "box_answerer_helper.h"
#include "check/created_month_check.h"
#include "conditions/layout.h"
#include "creation/driver_texts.h"
#include "desktop_fixture_helper.h"
#include "gui/explanation_window.h"
#include "gui/gui_texts.h"
#include "gui/qt_host.h"
#include "gui/sheet_window.h"
#include "laptop_screen_helper.h"

namespace fs = std::filesystem;
using tsumiki::gui::DesktopApp;
using tsumiki::gui::testing::BoxAnswerer;
using namespace tsumiki::gui::testing;  // the desktop fixture

class DesktopMonthTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void ADamagedWorkbookOffersAnotherOrTheSample();
  void ReplacingAMonthAsksFirstAndNoKeepsIt();
  void TheNearestMonthIsWrittenOnlyWhenAsked();
  void AMonthThatBreaksARuleIsNoSuccess();
};

// Start-up says why the file is no workbook, then offers the same choice as for a
// missing one; 終了 ends the start-up.
void DesktopMonthTest::ADamagedWorkbookOffersAnotherOrTheSample() {
  for (const bool quit : {false, true}) {
    const fs::path dir = FreshFolder(quit ? "damaged_quit" : "damaged_sample");
    std::ofstream(dir / "shift.xlsm") << "not a zip package";
    BoxAnswerer boxes([quit](const QString& title, const QString&) {
      if (title != tsumiki::gui::kWorkbookUnusableTitle) return QString();
      return quit ? tsumiki::gui::kQuitCaption : tsumiki::gui::kCreateSampleCaption;
    });
    tsumiki::gui::DesktopOptions options;
    options.start_dir = dir;
    options.virtual_clock = true;
    DesktopApp app(options);
    app.Host().SetFileDialogHook([&](bool save, std::string_view) {
      return save ? std::optional<std::string>((dir / "見本").string()) : std::nullopt;
    });
    QCOMPARE(app.StartUp(), !quit);
    QCOMPARE(boxes.Boxes().size(), std::size_t{2});
    QCOMPARE(boxes.Boxes()[0].title, Q(tsumiki::kStartupErrorTitle));
    QVERIFY(boxes.Boxes()[1].text.contains(QString::fromStdString((dir / "shift.xlsm").string())));
    if (!quit) QCOMPARE(app.GetSession().Book().Path(), dir / "見本.xlsm");
  }
}

// Over a month on the sheet, 作成 and クリア ask first: いいえ leaves it as it was,
// はい replaces it (and undo brings it back). An empty sheet asks nothing.
void DesktopMonthTest::ReplacingAMonthAsksFirstAndNoKeepsIt() {
  auto app = StartApp("replace_questions");
  QVERIFY(app);
  QString answer = kNo;
  BoxAnswerer boxes([&](const QString& title, const QString&) {
    return title == tsumiki::gui::kReplaceRosterTitle ? answer : QString();
  });
  QVERIFY(RosterIsEmpty(*app));
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(!boxes.SawTitle(tsumiki::gui::kReplaceRosterTitle));
  QVERIFY(boxes.SawTitle(Q(tsumiki::kDoneTitle)));
  const auto month = RosterCells(*app);

  for (const char* button : {"cmd勤務表作成", "cmd勤務表クリア"}) {
    boxes.Clear();
    PanelButton(*app, button)->click();
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});
    QCOMPARE(boxes.Boxes()[0].text, QString::fromUtf8(button) == QStringLiteral("cmd勤務表作成")
                                        ? tsumiki::gui::kCreateOverRosterQuestion
                                        : tsumiki::gui::kClearRosterQuestion);
    QVERIFY(RosterCells(*app) == month);
  }
  answer = kYes;
  boxes.Clear();
  PanelButton(*app, "cmd勤務表クリア")->click();
  QVERIFY(boxes.SawTitle(tsumiki::gui::kReplaceRosterTitle));
  QVERIFY(RosterIsEmpty(*app));
  app->Sheets()->UndoAction()->trigger();
  QVERIFY(RosterCells(*app) == month);
  boxes.Clear();
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(boxes.SawTitle(tsumiki::gui::kReplaceRosterTitle));
  QVERIFY(boxes.SawTitle(Q(tsumiki::kDoneTitle)));
}

// t8 cannot be staffed: the window that says what must give offers the nearest
// month, and only the press writes it, with one marked cell per person short.
void DesktopMonthTest::TheNearestMonthIsWrittenOnlyWhenAsked() {
  const fs::path dir = FreshFolder("nearest");
  const fs::path path = dir / "t8.xlsx";
  fs::copy_file(fs::path(TSUMIKI_SOURCE_DIR) / "tests" / "workbooks" / "t8-care22-tight.xlsx",
                path);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  tsumiki::gui::DesktopOptions options;
  options.start_dir = dir;
  options.workbook = path;
  options.seed = kSeed;
  options.virtual_clock = true;
  DesktopApp app(options);
  QVERIFY(app.StartUp());
  BoxAnswerer boxes([](const QString& title, const QString&) {
    return title == tsumiki::gui::kReplaceRosterTitle ? kYes : QString();
  });
  const auto before = RosterCells(app);
  PanelButton(app, "cmd勤務表作成")->click();
  tsumiki::gui::ExplanationWindow* window = app.Host().LastExplanation();
  QVERIFY(window != nullptr);
  QPushButton* write = window->ActionButton();
  QVERIFY(write->isVisible() && write->isEnabled());
  QCOMPARE(write->text(), tsumiki::gui::kWriteNearestCaption);
  QVERIFY(RosterCells(app) == before);

  // "10月7日(木) 夜 1 人不足": the people short, line by line.
  int short_people = 0;
  const QString text =
      window->findChild<QPlainTextEdit*>(QStringLiteral("ExplanationText"))->toPlainText();
  const QRegularExpression line(QStringLiteral("(\\d+) 人不足"));
  for (auto match = line.globalMatch(text); match.hasNext();) {
    short_people += match.next().captured(1).toInt();
  }
  QVERIFY2(short_people > 0, qPrintable(text));
  write->click();
  QVERIFY(!write->isEnabled());
  int marked = 0;
  int duties = 0;
  for (const auto& [cell, fill] : RosterCells(app)) {
    if (fill == tsumiki::kOpenCellInterior) ++marked;
    if (!cell.empty()) ++duties;
  }
  QCOMPARE(marked, short_people);
  QVERIFY(duties > 0);
}

// A whole month that breaks a rule (reservations longer than the limit of work
// days in a row) is reported with what breaks, not as made, and the sheet keeps
// the month before.
void DesktopMonthTest::AMonthThatBreaksARuleIsNoSuccess() {
  auto app = StartApp("broken_month");
  QVERIFY(app);
  namespace layout = tsumiki::layout;
  tsumiki::workbook::Workbook& book = app->GetSession().Book();
  const std::string duty = book.ReadCellText(layout::Range(book, layout::kTypeAbbrev), 1, 1);
  book.WriteCell(layout::Range(book, layout::kMaxConsecWork), 1, 1,
                 tsumiki::workbook::CellValue(5));
  for (int day = 3; day <= 8; ++day) {
    book.WriteCell(layout::Range(book, layout::kMemberRsv), 1, day,
                   tsumiki::workbook::CellValue(duty));
  }
  const auto before = RosterCells(*app);
  BoxAnswerer boxes;
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(!boxes.SawTitle(Q(tsumiki::kDoneTitle)));
  const QString said = boxes.TextOf(Q(tsumiki::kCreatedMonthTitle));
  QVERIFY2(said.startsWith(QStringLiteral("作成した勤務表が条件を 1 件守っていない")),
           qPrintable(said));
  QVERIFY2(said.contains(QStringLiteral("連続勤務上限")), qPrintable(said));
  QVERIFY(RosterCells(*app) == before);
}

int main(int argc, char* argv[]) {
  tsumiki::gui::testing::UseLaptopScreen();
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  DesktopMonthTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "desktop_month_test.moc"
