#include "print/roster_pdf.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <memory>
#include <string_view>

#include "print/roster_page.h"
#include "workbook/file_replace.h"
#include "workbook/workbook_error.h"

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
  // Drawn in memory first: the file is then replaced as a workbook is saved, so a
  // full disk or a kill leaves the old file or none, never half a page.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(300);
  writer.setPageLayout(QPageLayout(QPageSize(a3 ? QPageSize::A3 : QPageSize::A4),
                                   QPageLayout::Landscape, QMarginsF(8, 8, 8, 8),
                                   QPageLayout::Millimeter));
  writer.setTitle(QStringLiteral("勤務表"));
  QPainter painter;
  if (!painter.begin(&writer)) return "PDF ファイルを書けません：" + path;
  DrawRosterPage(painter, painter.viewport(), model, labels, totals);
  painter.end();
  buffer.close();
  try {
    workbook::ReplaceFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), {});
  } catch (const workbook::WorkbookError& error) {
    return error.JapaneseMessage();
  }
  return {};
}

}  // namespace tsumiki
