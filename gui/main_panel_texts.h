#pragma once

#include <QString>

// Captions and tips of the main panel frm勤務管理.
namespace tsumiki::gui {

inline const QString kMenuSettingsCaption = QStringLiteral("確保優先方法");
inline const QString kMenuTotalsCaption = QStringLiteral("単勤/単休総数");

inline const QString kCreateCaption = QStringLiteral("シフト表作成");
inline const QString kCreateTip = QStringLiteral("シフト表を作成します");
inline const QString kShowRosterCaption = QStringLiteral("シフト表示");
inline const QString kShowRosterTip = QStringLiteral("シフト表シートに移動します");
inline const QString kClearCaption = QStringLiteral("クリア");
inline const QString kClearTip = QStringLiteral("作成済みのシフト表をクリア");
inline const QString kReadjustCaption = QStringLiteral("再調整");
inline const QString kStartConditionsCaption = QStringLiteral("開始条件設定");
inline const QString kBasicCaption = QStringLiteral("基本設定");
inline const QString kStaffCaption = QStringLiteral("要員数設定");
inline const QString kPersonalCaption = QStringLiteral("個人条件設定");
inline const QString kSaveRestoreCaption = QStringLiteral("条件保存/読込");
inline const QString kSaveRestoreTip = QStringLiteral("作成条件の保存と読み込み");
inline const QString kHelpTopCaption = QStringLiteral("ヘルプトップ");
inline const QString kHelpMark = QStringLiteral("？");
inline const QString kHelpStartTip = QStringLiteral("開始条件設定のヘルプ");
inline const QString kHelpBasicTip = QStringLiteral("基本設定のヘルプ");
inline const QString kHelpStaffTip = QStringLiteral("要員数設定のヘルプ");
inline const QString kHelpPersonalTip = QStringLiteral("個人条件設定のヘルプ");
inline const QString kHelpSaveTip = QStringLiteral("条件保存/読込のヘルプ");
inline const QString kCloseCaption = QStringLiteral("閉じる");
inline const QString kCloseTip = QStringLiteral("vezazを終了します");

}  // namespace tsumiki::gui
