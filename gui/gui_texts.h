#pragma once

#include <QString>

// Texts that only the desktop program shows (the core's messages live in the core).
namespace tsumiki::gui {

// The program's name: the title of windows and boxes that have none of their own.
inline const QString kProgramName = QStringLiteral("ツミキ");
inline const QString kProgressTitle = QStringLiteral("ツミキ - 作成中");
inline const QString kOptimiseTitle = QStringLiteral("ツミキ - 最適化中");
inline const QString kConditionsSaved = QStringLiteral("条件データを保存しました：%1");
inline const QString kConditionsRestored = QStringLiteral("条件データを読み込みました：%1");
inline const QString kSheetWindowTitleSuffix = QStringLiteral(" - ツミキ シート");
// A read-only session with changes: they cannot be kept.
inline const QString kReadOnlyCloseTitle = QStringLiteral("読み取り専用");
inline const QString kReadOnlyCloseText = QStringLiteral(
    "読み取り専用で開いているため、変更はブックに保存できません。\n変更を捨てて閉じますか？");
inline const QString kSaveFailedTitle = QStringLiteral("保存できません");
inline const QString kSeedInvalidMessage =
    QStringLiteral("--seed には 0 以上の整数を指定してください。");
inline const QString kStopRunTitle = QStringLiteral("処理の中止");
inline const QString kStopRunQuestion = QStringLiteral(
    "シフト表の作成または調整を実行中です。\n中止して、終わりしだいツミキを終了しますか？");
// Before a run or クリア replaces the month on the roster sheet.
inline const QString kReplaceRosterTitle = QStringLiteral("シフト表の置き換え");
inline const QString kCreateOverRosterQuestion = QStringLiteral(
    "シートには作成済みのシフト表があります。\n新しく作成し直しますか？"
    "（あとから［編集］の［元に戻す］で戻せます）");
inline const QString kClearRosterQuestion = QStringLiteral(
    "シートのシフト表をクリアしますか？\n（あとから［編集］の［元に戻す］で戻せます）");
// On the window that explains a month no roster can meet.
inline const QString kWriteNearestCaption = QStringLiteral("最も近い勤務表を書き込む");
inline const QString kNearestNotWrittenText = QStringLiteral(
    "最も近い勤務表を書き込めませんでした。条件の読み込みに失敗したか、職員の数が変わっています。");
// The sheet window's menu of the program's windows.
inline const QString kWindowMenuCaption = QStringLiteral("ウィンドウ(&W)");
inline const QString kShowPanelCaption = QStringLiteral("操作パネルを表示(&P)");
inline const QString kPanelOnTopCaption = QStringLiteral("操作パネルを常に手前に表示(&T)");
inline const QString kFileMenuCaption = QStringLiteral("ファイル(&F)");
inline const QString kEditMenuCaption = QStringLiteral("編集(&E)");
inline const QString kSaveCaption = QStringLiteral("上書き保存(&S)");
// %1: the workbook's path.
inline const QString kSavedText = QStringLiteral("保存しました：%1");
inline const QString kSaveDuringRunText =
    QStringLiteral("実行中の処理が終わってから保存してください。");
inline const QString kUndoCaption = QStringLiteral("元に戻す(&U)");
inline const QString kRedoCaption = QStringLiteral("やり直し(&R)");
inline const QString kCopyCaption = QStringLiteral("コピー(&C)");
inline const QString kPasteCaption = QStringLiteral("貼り付け(&P)");
inline const QString kClearCellsCaption = QStringLiteral("消去(&D)");
inline const QString kFormulaBarTip =
    QStringLiteral("選択したセルの内容です。ここで編集して Enter で確定します");
inline const QString kTypingDerivedText =
    QStringLiteral("このセルは計算で求められるため入力できません。");
inline const QString kTypingDuringRunText =
    QStringLiteral("作成や調整の実行中は入力できません。終わってから入力してください。");
inline const QString kNameBoxTip =
    QStringLiteral("セル番地（例：B12）を入力して Enter で、そのセルに移動します");
// %1: what was typed.
inline const QString kNameBoxRefusedText =
    QStringLiteral("「%1」はセル番地ではありません（例：B12）");
inline const QString kClearRefusedText = QStringLiteral("計算で求められるセルは消去できません。");
// %1: how many cells.
inline const QString kPasteRefusedText =
    QStringLiteral("貼り付け先の %1 個のセルは計算で求められるため、何も貼り付けませんでした。");
inline const QString kCloseDuringRunText =
    QStringLiteral("実行中の処理が終わるまでシートは閉じられません（中止は処理中の窓から）。");
// How long a note of the edit commands stays in the status bar.
inline constexpr int kStatusMessageMs = 8000;
inline const QString kEditRefusedTitle = QStringLiteral("入力できません");

// Start-up questions about the workbook itself.
inline const QString kWorkbookInUseTitle = QStringLiteral("ブックの使用中");
inline const QString kWorkbookInUseChoices =
    QStringLiteral("\n\n読み取り専用で開くと、変更はブックに保存できません。");
inline const QString kOpenReadOnlyCaption = QStringLiteral("読み取り専用で開く");
inline const QString kOpenAnywayCaption = QStringLiteral("そのまま開く");
inline const QString kQuitCaption = QStringLiteral("終了");
inline const QString kReadOnlyTitleSuffix = QStringLiteral("（読み取り専用）");
inline const QString kReadOnlySaveRefusal = QStringLiteral(
    "別のプログラムが開いているため、読み取り専用で開いています。"
    "保存するには、そちらを閉じてからツミキを起動し直してください");
inline const QString kWorkbookMissingTitle = QStringLiteral("ブックがありません");
// %1: the workbook looked for.
inline const QString kWorkbookMissingText = QStringLiteral(
    "シフト表のワークブックが見つかりません：\n%1\n\n"
    "開くブックを選ぶか、見本のブックを作成してください。");
// After start-up could not use the workbook (its reason was shown just before).
inline const QString kWorkbookUnusableTitle = QStringLiteral("ブックを開けません");
// %1: the workbook that was tried.
inline const QString kWorkbookUnusableText = QStringLiteral(
    "このワークブックは開けませんでした：\n%1\n\n"
    "別のブックを選ぶか、見本のブックを作成してください。");
inline const QString kChooseWorkbookCaption = QStringLiteral("ブックを選択...");
inline const QString kCreateSampleCaption = QStringLiteral("見本のブックを作成");
inline const QString kWorkbookFilter = QStringLiteral("Excel ブック (*.xlsm;*.xlsx)|*.xlsm;*.xlsx");
inline const QString kSampleFilter = QStringLiteral("Excel マクロ有効ブック (*.xlsm)|*.xlsm");
// %1: the file.
inline const QString kSampleExistsText =
    QStringLiteral("「%1」は既にあります。上書きはしません。別の名前を指定してください。");
inline const QString kSampleFailedText = QStringLiteral("見本のブックを作成できませんでした：%1");

}  // namespace tsumiki::gui
