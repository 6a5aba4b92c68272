#pragma once

#include <QString>

// Texts that only the desktop program shows (the core's messages live in the core).
namespace tsumiki::gui {

inline const QString kSheetWindowTitleSuffix = QStringLiteral(" - ツミキ シート");
inline const QString kSaveQuestionTitle = QStringLiteral("保存確認");
// %1: the workbook's file name.
inline const QString kSaveQuestionText =
    QStringLiteral("%1 に保存していない変更があります。\n保存してから閉じますか？");
inline const QString kSaveFailedTitle = QStringLiteral("保存できません");
inline const QString kSeedInvalidMessage =
    QStringLiteral("--seed には 0 以上の整数を指定してください。");
inline const QString kEditRefusedTitle = QStringLiteral("入力できません");

}  // namespace tsumiki::gui
