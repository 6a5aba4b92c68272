#pragma once

#include <filesystem>

#include "workbook/workbook.h"

namespace tsumiki::layout {

// Writes a roster workbook with every sheet and name of the layout, the derived
// cells computed, and no conditions: the fixture other tests fill in. Only the run
// settings on Main are set (those of the sample), so the period is valid.
void WriteBlankWorkbook(const std::filesystem::path& path);

// Writes the sample workbook (`tsumiki init`): a small care home with 20 members
// and five duty types for January 2027, documented on each sheet. The content is
// the same on every run, so the committed examples/shift.xlsm can be compared with
// a fresh one.
void WriteSampleWorkbook(const std::filesystem::path& path);

// The sample as the package installs it: share/tsumiki/shift.xlsm below the
// install prefix the program was built for.
std::filesystem::path InstalledSamplePath();

// `tsumiki init` and the desktop's 見本のブックを作成: a copy of `installed` when that
// file exists (the sample the planner's guide and help pages describe, also when a
// newer program would build it differently), else the sample built as
// WriteSampleWorkbook does. The caller has made sure `path` does not exist; a copy
// never replaces a file that appeared since. Throws std::runtime_error (or
// std::filesystem::filesystem_error) when nothing could be written.
void CreateSampleWorkbook(const std::filesystem::path& path,
                          const std::filesystem::path& installed = InstalledSamplePath());

// Main's run settings of the sample: January 2027 from day 1, 50 attempts, 3 minutes.
void FillRunSettings(workbook::Workbook& book);

// Fills the sample's conditions into a blank workbook (through the store).
void FillSampleConditions(workbook::Workbook& book);

}  // namespace tsumiki::layout
