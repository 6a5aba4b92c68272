#include "desktop_fixture_helper.h"

#include <unistd.h>

#include <QPushButton>

#include "conditions/layout.h"
#include "conditions/sample_workbook.h"
#include "gui/main_panel.h"

namespace tsumiki::gui::testing {

namespace fs = std::filesystem;
namespace wb = workbook;

fs::path FreshFolder(const char* name) {
  const fs::path dir =
      fs::path(TSUMIKI_TEST_TMP) / "gui" / (std::string(name) + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

fs::path FreshWorkbookFolder(const char* name) {
  const fs::path dir = FreshFolder(name);
  layout::WriteSampleWorkbook(dir / "shift.xlsm");
  return dir;
}

std::unique_ptr<DesktopApp> StartApp(const fs::path& dir) {
  DesktopOptions options;
  options.start_dir = dir;
  options.seed = kSeed;
  options.virtual_clock = true;
  auto app = std::make_unique<DesktopApp>(options);
  if (!app->StartUp()) return nullptr;
  return app;
}

std::unique_ptr<DesktopApp> StartApp(const char* name) {
  return StartApp(FreshWorkbookFolder(name));
}

QPushButton* PanelButton(DesktopApp& app, const char* name) {
  return app.Panel()->findChild<QPushButton*>(QString::fromUtf8(name));
}

QWidget* VisibleWindow(const char* name) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == QString::fromUtf8(name) && top->isVisible()) return top;
  }
  return nullptr;
}

std::string RosterText(DesktopApp& app, int member, int day) {
  wb::Workbook& book = app.GetSession().Book();
  return book.ReadCellText(layout::Range(book, layout::kTimeTable), member, day);
}

std::vector<std::pair<std::string, int>> RosterCells(DesktopApp& app) {
  wb::Workbook& book = app.GetSession().Book();
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  std::vector<std::pair<std::string, int>> cells;
  for (int r = table.top; r <= table.bottom; ++r) {
    for (int c = table.left; c <= table.right; ++c) {
      cells.emplace_back(book.DisplayText(table.sheet, r, c),
                         book.InteriorColorIndex(table.sheet, r, c));
    }
  }
  return cells;
}

bool RosterIsEmpty(DesktopApp& app) {
  for (const auto& cell : RosterCells(app)) {
    if (!cell.first.empty()) return false;
  }
  return true;
}

}  // namespace tsumiki::gui::testing
