// The sheet grid as a spreadsheet draws and scrolls it: text running over empty
// neighbours without grid lines through it, and whole rows under frozen ones.
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include "gui/border_delegate.h"
#include "gui/sheet_view.h"

using tsumiki::gui::SheetView;

class SheetGridTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void OverflowTextHidesTheGridLinesItCrosses();
  void RowsScrollWholeUnderFrozenRows();
};

namespace {
constexpr int kColumnPixels = 40;
constexpr int kRowPixels = 22;

// Whether any pixel of column x between rows y0..y1 of the image differs from white.
bool InkInColumn(const QImage& image, int x, int y0, int y1) {
  for (int y = y0; y <= y1; ++y) {
    if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
  }
  return false;
}
}  // namespace

void SheetGridTest::OverflowTextHidesTheGridLinesItCrosses() {
  // Row 0 holds the current cell's highlight and stays empty.
  QStandardItemModel model(4, 4);
  const QString text = QStringLiteral("長い説明の文がここに入ります");
  model.setItem(1, 0, new QStandardItem(text));  // runs over B and C
  model.setItem(3, 0, new QStandardItem(text));  // stopped by B
  model.setItem(3, 1, new QStandardItem(QStringLiteral("x")));
  SheetView view;
  view.setModel(&model);
  tsumiki::gui::UseSheetGrid(view);
  view.horizontalHeader()->setDefaultSectionSize(kColumnPixels);
  view.verticalHeader()->setDefaultSectionSize(kRowPixels);
  view.resize(400, 200);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  const QImage image = view.viewport()->grab().toImage();
  // The top few pixels of a row hold no glyph, only the lines that cross it.
  const auto line_right_of = [&](int row, int column) {
    const int x = view.columnViewportPosition(column) + view.columnWidth(column) - 1;
    const int y = view.rowViewportPosition(row);
    return InkInColumn(image, x, y, y + 3);
  };
  QVERIFY(!line_right_of(1, 0));
  QVERIFY(!line_right_of(1, 1));
  QVERIFY(line_right_of(2, 0));  // an empty row keeps its grid
  QVERIFY(line_right_of(3, 0));  // a filled neighbour cuts the text at the line
  QVERIFY(line_right_of(3, 1));
}

void SheetGridTest::RowsScrollWholeUnderFrozenRows() {
  QStandardItemModel model(80, 10);
  SheetView view;
  view.setModel(&model);
  tsumiki::gui::UseSheetGrid(view);
  view.verticalHeader()->setDefaultSectionSize(kRowPixels);
  view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view.resize(500, 300);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  constexpr int kFrozen = 3;
  view.FreezePanes(kFrozen, 2);
  const int row_pixels = view.rowHeight(0);
  const int frozen_height = kFrozen * row_pixels;
  // The first row below the frozen ones starts exactly where they end.
  const auto first_free_row_top = [&] {
    for (int row = kFrozen; row < model.rowCount(); ++row) {
      const int top = view.rowViewportPosition(row);
      if (top + row_pixels > frozen_height) return top;
    }
    return -1;
  };
  QScrollBar* bar = view.verticalScrollBar();
  for (const int value : {1, 2, 5, bar->maximum() - 1, bar->maximum()}) {
    bar->setValue(value);
    QCOMPARE(first_free_row_top(), frozen_height);
    // The frozen columns' pane shows the same rows beside them.
    int panes = 0;
    for (const QTableView* pane : view.findChildren<QTableView*>()) {
      if (pane->isColumnHidden(5) && !pane->isRowHidden(kFrozen)) {
        QCOMPARE(pane->rowViewportPosition(kFrozen), view.rowViewportPosition(kFrozen));
        ++panes;
      }
    }
    QCOMPARE(panes, 1);
  }
  // At the end the last row is seen whole.
  QVERIFY(view.rowViewportPosition(model.rowCount() - 1) + row_pixels <= view.viewport()->height());
  // A cell moved to from below comes out under the frozen rows, whole.
  static_cast<QTableView&>(view).scrollTo(model.index(kFrozen + 4, 3));
  QCOMPARE(view.rowViewportPosition(kFrozen + 4), frozen_height);
}

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  SheetGridTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "sheet_grid_test.moc"
