#pragma once

#include <QString>

// Captions and tips of the start-condition dialog frm開始条件設定.
namespace tsumiki::gui {

inline const QString kYearMonthLabel = QStringLiteral("作成する年と月を選択して下さい");
inline const QString kDayLabel = QStringLiteral("作成開始する日を選択して下さい");
inline const QString kBaseDayLabel = QStringLiteral("基準開始日を選択して下さい");
inline const QString kAttemptsLabel = QStringLiteral("1日分の最適解を求めるための試行回数");
inline const QString kTimeLimitLabel = QStringLiteral("シフト表作成の制限時間");
inline const QString kImproveLabel = QStringLiteral("作成後にシフト表を改善する時間");
inline const QString kSecondUnit = QStringLiteral("秒");
inline const QString kImproveTip =
    QStringLiteral("作成したシフト表をより公平に整える時間。0 なら整えません");
inline const QString kWeightsLabel = QStringLiteral("最適化比重");
inline const QString kYearUnit = QStringLiteral("年");
inline const QString kMonthUnit = QStringLiteral("月");
inline const QString kMinuteUnit = QStringLiteral("分");
inline const QString kDayTip = QStringLiteral("実際にシフト表を自動作成する開始日を入力します");
inline const QString kBaseDayTip = QStringLiteral("シフト体系の開始日、シフト表の左端の日");
inline const QString kAttemptsTip = QStringLiteral("作成困難なとき粘る回数です。通常変更不要！");
inline const QString kTimeLimitTip =
    QStringLiteral("作成困難なとき粘る時間。人数が多い時、大きめにする");
inline const QString kDetailsCaption = QStringLiteral("詳細設定");
inline const QString kDetailsTip =
    QStringLiteral("チェックするとフォームが拡大し詳細設定ができます。");
inline const QString kStoreCaption = QStringLiteral("設定");
inline const QString kCancelCaption = QStringLiteral("キャンセル");

}  // namespace tsumiki::gui
