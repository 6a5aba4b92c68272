#pragma once

#include <QString>

class QWidget;

namespace tsumiki::gui {

struct JudgedMonth;

// 印刷: the print preview of the roster's one landscape page (A4 first; the
// dialog's page set-up offers A3 and the rest, the page scaled to fit), from
// which the planner prints. Returns when the dialog is closed.
void ShowPrintPreview(QWidget* parent, const JudgedMonth& month);

// PDF 保存: writes the same page into `path`. An empty text, or why not.
QString SaveRosterPdf(const JudgedMonth& month, const QString& path, bool a3);

}  // namespace tsumiki::gui
