#pragma once

#include "ui/host.h"

namespace tsumiki {

// Brings the sheet window to the front and ends any cell edit there before a
// command touches the workbook: activate, wait 20 ms, end editing (the Escape
// key press), wait 20 ms, let pending events run. Without a sheet window the
// waits and the Escape still happen, to whatever window has the focus.
void FocusSpreadsheetWindow(Host& host);

}  // namespace tsumiki
