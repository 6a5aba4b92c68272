#pragma once

#include <QString>
#include <filesystem>
#include <optional>

namespace tsumiki::gui {

class QtHost;

// What the planner does with a workbook that another program has open.
enum class HeldWorkbookChoice { kReadOnly, kOpenAnyway, kQuit };

// `refusal`: the lock's refusal, naming who holds the workbook.
HeldWorkbookChoice AskAboutHeldWorkbook(const QString& refusal);

// The workbook to open instead of the missing `missing`: one chosen in a file
// dialog, or a new sample written where the planner says. nullopt when the planner
// quits. The file dialogs are the host's, so tests can answer them.
std::optional<std::filesystem::path> AskForMissingWorkbook(QtHost& host,
                                                           const std::filesystem::path& missing);
// The same choice for `unusable`, a workbook that start-up could not read.
std::optional<std::filesystem::path> AskForOtherWorkbook(QtHost& host,
                                                         const std::filesystem::path& unusable);

}  // namespace tsumiki::gui
