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

#include "print/print_texts.h"
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

std::optional<std::string> RenderRosterPdf(const PrintedRoster& roster) {
  const auto app = EnsureGuiApplication();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(300);
  writer.setPageLayout(
      QPageLayout(QPageSize(roster.paper == Paper::kA3 ? QPageSize::A3 : QPageSize::A4),
                  QPageLayout::Landscape, QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
  writer.setTitle(QString::fromStdString(roster.title));
  QPainter painter;
  if (!painter.begin(&writer)) return std::nullopt;
  for (std::size_t i = 0; i < roster.pages.size(); ++i) {
    if (i > 0) writer.newPage();
    DrawRosterPage(painter, painter.viewport(), roster.pages[i]);
  }
  painter.end();
  buffer.close();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string WriteRosterPdf(const ConditionModel& model, const MonthLabels& labels,
                           const RosterTotals& totals, const std::string& path, bool a3) {
  // Drawn in memory first: the file is then replaced as a workbook is saved, so a
  // full disk or a kill leaves the old file or none, never half a page.
  const auto bytes =
      RenderRosterPdf(BuildPrintedRoster(model, labels, totals, a3 ? Paper::kA3 : Paper::kA4));
  if (!bytes) return std::string(print_texts::kCannotWriteFile) + path;
  try {
    workbook::ReplaceFile(path, *bytes, {});
  } catch (const workbook::WorkbookError& error) {
    return error.JapaneseMessage();
  }
  return {};
}

}  // namespace tsumiki
