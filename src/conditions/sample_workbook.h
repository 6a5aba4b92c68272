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

// Main's run settings of the sample: January 2027 from day 1, 50 attempts, 3 minutes.
void FillRunSettings(workbook::Workbook& book);

// Fills the sample's conditions into a blank workbook (through the store).
void FillSampleConditions(workbook::Workbook& book);

}  // namespace tsumiki::layout
