#pragma once

#include <QString>

// Captions of the main panel frm勤務管理 that only the desktop program has (the
// core holds every caption and tip it names).
namespace tsumiki::gui {

// cmd勤務表クリア has a tip only; its face needs a word.
inline const QString kClearCaption = QStringLiteral("クリア");
// The help buttons beside each command show a mark; their tips say which help.
inline const QString kHelpMark = QStringLiteral("？");

}  // namespace tsumiki::gui
