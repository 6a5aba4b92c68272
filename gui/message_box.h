#pragma once

#include <QString>
#include <QStringList>

#include "ui/host.h"

class QWidget;

namespace tsumiki::gui {

// A modal message box with Japanese button captions, kept above the always-on-top
// panel. Closing it by the window manager gives the box's safe answer (Cancel,
// else No, else OK).
MsgResult ShowMessageBox(QWidget* parent, const QString& text, const QString& title,
                         MsgButtons buttons, MsgIcon icon = MsgIcon::kNone);

// The same box with buttons of its own captions; returns the index of the one
// pressed. The first is the default; closing the box answers the last.
int ShowChoiceBox(QWidget* parent, const QString& text, const QString& title,
                  const QStringList& choices, MsgIcon icon);

}  // namespace tsumiki::gui
