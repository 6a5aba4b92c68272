#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/desktop_app.h"

class QPushButton;

namespace tsumiki::gui::testing {

inline QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline constexpr std::uint64_t kSeed = 20270101;
inline const QString kOk = QStringLiteral("OK");
inline const QString kCancel = QStringLiteral("キャンセル");
inline const QString kYes = QStringLiteral("はい(&Y)");
inline const QString kNo = QStringLiteral("いいえ(&N)");

// A fresh folder for one case, under the build's test folder.
std::filesystem::path FreshFolder(const char* name);
// A fresh folder holding a copy of the sample workbook as shift.xlsm.
std::filesystem::path FreshWorkbookFolder(const char* name);

// The desktop program on the workbook of `dir`, with the fixed seed and a virtual
// clock; null when start-up failed.
std::unique_ptr<DesktopApp> StartApp(const std::filesystem::path& dir);
std::unique_ptr<DesktopApp> StartApp(const char* name);

QPushButton* PanelButton(DesktopApp& app, const char* name);

// A visible top-level window by its object name, and a control in it.
QWidget* VisibleWindow(const char* name);
template <typename T>
T* Find(const char* window, const char* control) {
  QWidget* top = VisibleWindow(window);
  return top != nullptr ? top->findChild<T*>(QString::fromUtf8(control)) : nullptr;
}

std::string RosterText(DesktopApp& app, int member, int day);
// Every roster cell's text and fill.
std::vector<std::pair<std::string, int>> RosterCells(DesktopApp& app);
bool RosterIsEmpty(DesktopApp& app);

}  // namespace tsumiki::gui::testing
