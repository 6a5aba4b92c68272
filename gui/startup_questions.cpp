#include "gui/startup_questions.h"

#include <QWidget>
#include <exception>
#include <system_error>

#include "conditions/sample_workbook.h"
#include "gui/gui_texts.h"
#include "gui/message_box.h"
#include "gui/qt_host.h"

namespace tsumiki::gui {

namespace fs = std::filesystem;

namespace {
QString PathText(const fs::path& path) {
  return QString::fromStdString(path.string());
}

// Writes the sample where the planner says, as `tsumiki init` does: never over an
// existing file. nullopt when nothing was written (the reason has been shown).
std::optional<fs::path> CreateSample(QtHost& host, const fs::path& folder) {
  const std::optional<std::string> chosen =
      host.AskSaveFileName(kSampleFilter.toStdString(), folder.string());
  if (!chosen) return std::nullopt;
  const fs::path path(*chosen);
  std::error_code ec;
  if (fs::exists(path, ec) || fs::is_symlink(path, ec)) {
    ShowMessageBox(nullptr, kSampleExistsText.arg(PathText(path)), kCreateSampleCaption,
                   MsgButtons::kOk, MsgIcon::kExclamation);
    return std::nullopt;
  }
  try {
    layout::CreateSampleWorkbook(path);
  } catch (const std::exception& error) {
    ShowMessageBox(nullptr, kSampleFailedText.arg(QString::fromUtf8(error.what())),
                   kCreateSampleCaption, MsgButtons::kOk, MsgIcon::kCritical);
    return std::nullopt;
  }
  return path;
}
}  // namespace

HeldWorkbookChoice AskAboutHeldWorkbook(const QString& refusal) {
  const int choice = ShowChoiceBox(nullptr, refusal + kWorkbookInUseChoices, kWorkbookInUseTitle,
                                   {kOpenReadOnlyCaption, kOpenAnywayCaption, kQuitCaption},
                                   MsgIcon::kExclamation);
  switch (choice) {
    case 0:
      return HeldWorkbookChoice::kReadOnly;
    case 1:
      return HeldWorkbookChoice::kOpenAnyway;
    default:
      return HeldWorkbookChoice::kQuit;
  }
}

namespace {
std::optional<fs::path> AskForWorkbook(QtHost& host, const fs::path& folder, const QString& text,
                                       const QString& title) {
  // Back to the question after a cancelled dialog or a sample that was not written.
  for (;;) {
    const int choice =
        ShowChoiceBox(nullptr, text, title, {kChooseWorkbookCaption, kCreateSampleCaption, kQuitCaption},
                      MsgIcon::kExclamation);
    if (choice == 0) {
      if (const auto chosen = host.AskOpenFileName(kWorkbookFilter.toStdString(), folder.string()))
        return fs::path(*chosen);
    } else if (choice == 1) {
      if (auto created = CreateSample(host, folder)) return created;
    } else {
      return std::nullopt;
    }
  }
}
}  // namespace

std::optional<fs::path> AskForMissingWorkbook(QtHost& host, const fs::path& missing) {
  return AskForWorkbook(host, missing.parent_path(), kWorkbookMissingText.arg(PathText(missing)),
                        kWorkbookMissingTitle);
}

std::optional<fs::path> AskForOtherWorkbook(QtHost& host, const fs::path& unusable) {
  return AskForWorkbook(host, unusable.parent_path(), kWorkbookUnusableText.arg(PathText(unusable)),
                        kWorkbookUnusableTitle);
}

}  // namespace tsumiki::gui
