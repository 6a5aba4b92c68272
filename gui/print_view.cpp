#include "gui/print_view.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QWidget>

#include "gui/roster_judge.h"
#include "gui/totals_texts.h"
#include "print/roster_page.h"
#include "print/roster_pdf.h"

namespace tsumiki::gui {

namespace {
// As the command line's PDF: 8 mm round the page.
constexpr double kMarginMm = 8;
}  // namespace

void ShowPrintPreview(QWidget* parent, const JudgedMonth& month) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                    QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                    QPageLayout::Millimeter));
  printer.setDocName(kPrintTitle);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setObjectName(QStringLiteral("PrintPreview"));
  dialog.setWindowTitle(kPrintTitle);
  QObject::connect(
      &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&month](QPrinter* target) {
        QPainter painter(target);
        DrawRosterPage(painter, painter.viewport(), month.model, month.labels, month.totals);
      });
  // Most of the screen: the page is read at a glance before it is printed.
  if (const QScreen* screen = parent != nullptr ? parent->screen() : nullptr) {
    dialog.resize(screen->availableGeometry().size() * 0.85);
  }
  dialog.exec();
}

QString SaveRosterPdf(const JudgedMonth& month, const QString& path, bool a3) {
  return QString::fromStdString(
      WriteRosterPdf(month.model, month.labels, month.totals, path.toStdString(), a3));
}

}  // namespace tsumiki::gui
