#include "print/roster_pdf.h"

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <memory>

#include "print/roster_page.h"

namespace tsumiki {
namespace {

// A QGuiApplication for the painter's fonts, when the caller has none.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tsumiki";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

std::string WriteRosterPdf(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals, const std::string& path, bool a3) {
  const auto app = EnsureGuiApplication();
  QPdfWriter writer(QString::fromStdString(path));
  writer.setResolution(300);
  writer.setPageLayout(QPageLayout(QPageSize(a3 ? QPageSize::A3 : QPageSize::A4),
                                   QPageLayout::Landscape, QMarginsF(8, 8, 8, 8),
                                   QPageLayout::Millimeter));
  writer.setTitle(QStringLiteral("勤務表"));
  QPainter painter;
  if (!painter.begin(&writer)) return "PDF ファイルを書けません：" + path;
  DrawRosterPage(painter, painter.viewport(), model, labels, totals);
  painter.end();
  return {};
}

}  // namespace tsumiki
