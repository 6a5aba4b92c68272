// The program's message box on a 1366×768 screen: every kind shows its whole text,
// selectable and copyable, and opens over the window it belongs to.
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>
#include <QtTest>
#include <functional>

#include "box_answerer_helper.h"
#include "gui/message_box.h"
#include "gui/placement.h"
#include "laptop_screen_helper.h"

using tsumiki::MsgButtons;
using tsumiki::MsgIcon;
using tsumiki::gui::MessageDialog;
using tsumiki::gui::ShowChoiceBox;
using tsumiki::gui::ShowMessageBox;
using tsumiki::gui::testing::BoxAnswerer;

namespace {

// Texts of the boxes a planner meets, at their longest.
const QString kInputErrors = QStringLiteral(
    "入力エラー：次のセルを直してください。\n"
    "・要員設定!C7：1日目の必要人数（25）が職員数（20）を超えています\n"
    "・要員設定!D7：2日目の必要人数（25）が職員数（20）を超えています\n"
    "・基本設定!B12：略称「夜」が二つの勤務に使われています");
const QString kProposal = QStringLiteral(
    "2027/01/07日　<5 伊藤 由美>の 夜勤 を <12 佐藤 健太>の 日勤 と交換し、"
    "2027/01/08日　<5 伊藤 由美>の 明け を <12 佐藤 健太>の 休み と交換します。"
    "よろしいですか？");
const QString kLongPath = QStringLiteral(
    "ブックが見つかりません：\n/home/planner/Documents/shift-rosters/2027/"
    "care-home-east-wing-ward-three/shift_roster_master_copy_for_january_final.xlsm");
const QString kCsvRefused = QStringLiteral(
    "条件データを読み込めませんでした：conditions_2027_01.csv の 48 行目"
    "（名前「組合せ必須」）に、数でない値「三」があります。ブックは変わっていません。");

}  // namespace

class MessageBoxTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void EveryKindShowsItsWholeTextOverItsWindow();
  void CtrlCCopiesTheWholeText();
  void OverRectCentresWithinTheScreen();
};

void MessageBoxTest::EveryKindShowsItsWholeTextOverItsWindow() {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  if (screen.size() != QSize(1366, 768)) QSKIP("needs the offscreen platform's laptop screen");
  QWidget panel;  // where the main panel stands
  panel.setGeometry(1100, 420, 250, 330);
  panel.show();
  QWidget sheets;  // the sheet window
  sheets.setGeometry(8, 38, 1090, 700);
  sheets.show();

  const struct {
    const char* what;
    QString text;
    QWidget* parent;
    std::function<void(const QString&)> show;
  } cases[] = {
      {"information", kInputErrors, &sheets,
       [&](const QString& text) {
         ShowMessageBox(&sheets, text, QStringLiteral("入力エラー"), MsgButtons::kOk,
                        MsgIcon::kExclamation);
       }},
      {"yes/no", kProposal, &panel,
       [&](const QString& text) {
         ShowMessageBox(&panel, text, QStringLiteral("交換案"), MsgButtons::kYesNo,
                        MsgIcon::kQuestion);
       }},
      {"yes/no/cancel", kCsvRefused, &panel,
       [&](const QString& text) {
         ShowMessageBox(&panel, text, QStringLiteral("条件データの読込"), MsgButtons::kYesNoCancel);
       }},
      {"ok/cancel", kProposal + kProposal, &sheets,
       [&](const QString& text) {
         ShowMessageBox(&sheets, text, {}, MsgButtons::kOkCancel, MsgIcon::kInformation);
       }},
      {"choice at start-up", kLongPath, nullptr,
       [&](const QString& text) {
         ShowChoiceBox(nullptr, text, QStringLiteral("ブックがありません"),
                       {QStringLiteral("ブックを選択..."), QStringLiteral("見本のブックを作成"),
                        QStringLiteral("終了")},
                       MsgIcon::kExclamation);
       }},
      {"short", QStringLiteral("中止しました。"), &panel,
       [&](const QString& text) {
         ShowMessageBox(&panel, text, QStringLiteral("とても長いタイトルの付いた知らせの箱"),
                        MsgButtons::kOk);
       }},
  };
  for (const auto& c : cases) {
    BoxAnswerer boxes;
    bool inspected = false;
    boxes.SetInspect([&](MessageDialog& box) {
      inspected = true;
      const QTextEdit* area = box.TextArea();
      const QSizeF document = area->document()->size();
      QVERIFY2(document.height() <= area->viewport()->height() + 0.5, c.what);
      QVERIFY2(document.width() <= area->viewport()->width() + 0.5, c.what);
      QVERIFY2(!area->verticalScrollBar()->isVisible(), c.what);
      QVERIFY2(area->toPlainText() == c.text, c.what);
      QVERIFY2(area->textInteractionFlags().testFlag(Qt::TextSelectableByMouse), c.what);
      // Readable: not a strip, not the screen's width.
      QVERIFY2(box.width() <= 800, c.what);
      QVERIFY2(screen.contains(box.frameGeometry()), c.what);
      // The title stays whole in the title bar.
      QVERIFY2(box.width() >= box.fontMetrics().horizontalAdvance(box.windowTitle()), c.what);
      if (c.parent != nullptr) {
        QVERIFY2(box.frameGeometry().intersects(c.parent->frameGeometry()), c.what);
      } else {
        QVERIFY2(qAbs(box.frameGeometry().center().x() - screen.center().x()) <= 1, c.what);
      }
    });
    c.show(c.text);
    QVERIFY2(inspected, c.what);
    QCOMPARE(boxes.Boxes().size(), std::size_t{1});
  }
}

void MessageBoxTest::CtrlCCopiesTheWholeText() {
  BoxAnswerer boxes;
  boxes.SetInspect([](MessageDialog& box) {
    QApplication::clipboard()->clear();
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
  });
  ShowMessageBox(nullptr, kInputErrors, QStringLiteral("入力エラー"), MsgButtons::kOk);
  QCOMPARE(QApplication::clipboard()->text(), kInputErrors);
}

void MessageBoxTest::OverRectCentresWithinTheScreen() {
  const QRect screen(0, 0, 1366, 768);
  const QSize box(400, 200);
  const struct {
    QRect anchor;
    QPoint expected;
  } cases[] = {
      {QRect(8, 38, 1090, 700), QPoint(352, 287)},     // the sheet window: over its middle
      {QRect(1100, 420, 250, 330), QPoint(966, 484)},  // the panel: as far over it as fits
      {QRect(1100, 0, 250, 100), QPoint(966, 0)},      // never above the screen
  };
  for (const auto& c : cases) {
    QCOMPARE(tsumiki::gui::OverRect(c.anchor, box, screen), c.expected);
  }
}

int main(int argc, char* argv[]) {
  tsumiki::gui::testing::UseLaptopScreen();
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  MessageBoxTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "message_box_test.moc"
