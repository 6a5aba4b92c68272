#pragma once

#include <QString>

namespace tsumiki::gui {

class DesktopApp;

// For the documentation: walks through the program as a planner would and saves
// the whole screen at each stop as <folder>/<prefix>-<stop>.png: the panel, the
// created roster, a long instruction on Main, the start conditions with their
// error box, the save dialog, a broken rule's mark with its reason, the print
// preview. Ends the program through 閉じる without saving.
void StartScreenshotTour(DesktopApp& app, const QString& folder, const QString& prefix);

}  // namespace tsumiki::gui
