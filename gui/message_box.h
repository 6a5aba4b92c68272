#pragma once

#include <QString>

#include "ui/host.h"

class QWidget;

namespace tsumiki::gui {

// A modal message box with Japanese button captions, kept above the always-on-top
// panel. Closing it by the window manager gives the box's safe answer (Cancel,
// else No, else OK).
MsgResult ShowMessageBox(QWidget* parent, const QString& text, const QString& title,
                         MsgButtons buttons, MsgIcon icon = MsgIcon::kNone);

}  // namespace tsumiki::gui
