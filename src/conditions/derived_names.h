#pragma once

#include <vector>

#include "conditions/input_problems.h"
#include "workbook/workbook.h"

namespace tsumiki::layout {

// Computes every derived name of the layout from the typed cells. With `write`
// set, derived cells whose value changed are written (so an unchanged book stays
// unmodified); problems of the typed cells go to `problems` when it is given.
// A derived name whose inputs the workbook lacks is left as stored, so a workbook
// written by another program keeps the values it came with. Never throws for
// missing names: the loader reports those.
void DeriveNames(workbook::Workbook& book, std::vector<InputProblem>* problems, bool write);

// Installs the recalculator on the workbook and marks the derived ranges, so
// every read sees current derived values and the sheet window shows them read-only.
void InstallDerivedNames(workbook::Workbook& book);

}  // namespace tsumiki::layout
