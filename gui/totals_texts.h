#pragma once

#include <QString>
#include <array>

// Texts of the totals panes, the rule marks and printing in the sheet window.
namespace tsumiki::gui {

// The per-member columns after the duty types.
inline constexpr int kMemberSumColumns = 5;
inline const std::array<QString, kMemberSumColumns> kMemberSumHeads = {
    QStringLiteral("勤務"), QStringLiteral("目標"), QStringLiteral("休日"), QStringLiteral("単勤"),
    QStringLiteral("単休")};
inline const std::array<QString, kMemberSumColumns> kMemberSumTips = {
    QStringLiteral("勤務日数（目標と違うときは色付き：赤は不足、青は超過）"),
    QStringLiteral("勤務日数の目標"), QStringLiteral("休日数（勤務のない日）"),
    QStringLiteral("単勤：前後が休みの 1 日だけの勤務の回数"),
    QStringLiteral("単休：前後が勤務の 1 日だけの休みの回数")};
// Where the workbook sets wishes: those the month grants and misses.
inline constexpr int kWishColumns = 2;
inline const std::array<QString, kWishColumns> kWishHeads = {QStringLiteral("希望○"),
                                                             QStringLiteral("希望×")};
inline const std::array<QString, kWishColumns> kWishTips = {
    QStringLiteral("かなった希望（Wish_Table）の数"),
    QStringLiteral("かなわなかった希望（Wish_Table）の数")};
// %1: the duty's name.
inline const QString kDutyDaysTip = QStringLiteral("「%1」の日数");
inline const QString kStaffRowHead = QStringLiteral("%1 人数/必要");
inline const QString kStaffRowTip =
    QStringLiteral("「%1」の人数と必要数（赤は不足、青は必要数より多い）");
// Where it sets a desired staffing (Desired_Table): the duty's row of staff against
// it. %1: the duty's name; %2/%3: the days that reach it, of those that have one.
inline const QString kDesiredRowHead = QStringLiteral("%1 人数/希望");
inline const QString kDesiredRowTip =
    QStringLiteral("「%1」の人数と希望人数（赤は希望人数に届かない日）：届いた日 %2/%3");
inline const QString kMemberPaneCaption = QStringLiteral("職員別集計");
inline const QString kLegendTip = QStringLiteral("凡例：勤務の略称と色");
// %1: why the conditions could not be read.
inline const QString kNotJudgedText =
    QStringLiteral("条件を読めないため集計と点検ができません：\n%1");
// %1: how many broken rules.
inline const QString kFindingsText =
    QStringLiteral("ルール違反 %1 件（赤い印のセルに理由、F8 で次へ）");
inline const QString kNoFindingsText = QStringLiteral("ルール違反はありません");
inline const QString kNoMarkedCellText = QStringLiteral("赤い印のセルはありません");

inline const QString kViewMenuCaption = QStringLiteral("表示(&V)");
inline const QString kShowTotalsCaption = QStringLiteral("集計と凡例(&T)");
inline const QString kNextFindingCaption = QStringLiteral("次のルール違反へ(&N)");

// Printing.
inline const QString kPrintCaption = QStringLiteral("印刷(&P)...");
inline const QString kPdfA4Caption = QStringLiteral("PDF 保存 A4(&D)...");
inline const QString kPdfA3Caption = QStringLiteral("PDF 保存 A3(&3)...");
inline const QString kPrintTitle = QStringLiteral("シフト表の印刷");
inline const QString kPdfTitle = QStringLiteral("PDF 保存");
// %1: the file.
inline const QString kPdfSavedText = QStringLiteral("PDF に保存しました：%1");
// The month for the staff's calendars and phones.
inline const QString kCalendarExportCaption = QStringLiteral("職員ごとの予定表を書き出す(&C)...");
inline const QString kPageExportCaption =
    QStringLiteral("スマートフォン用のページを書き出す(&H)...");
inline const QString kCalendarFolderCaption = QStringLiteral("予定表（.ics）を書き出すフォルダ");
// %1: the file.
inline const QString kPageSavedText = QStringLiteral("ページを書き出しました：%1");
inline const QString kNothingToExportText =
    QStringLiteral("シフト表を読めないため書き出せません。条件を確かめてください。");
inline const QString kNothingToPrintText =
    QStringLiteral("シフト表を読めないため印刷できません。条件を確かめてください。");

}  // namespace tsumiki::gui
