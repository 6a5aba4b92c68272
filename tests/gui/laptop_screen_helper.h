#pragma once

namespace tsumiki::gui::testing {

// Before the QApplication: the offscreen platform with one 1366×768 screen (a
// planner's laptop) instead of its default size. Another platform chosen in
// QT_QPA_PLATFORM (xcb under Xvfb) is kept.
void UseLaptopScreen();

}  // namespace tsumiki::gui::testing
