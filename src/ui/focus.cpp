#include "ui/focus.h"

namespace tsumiki {

namespace {
constexpr int kFocusPauseMs = 20;
}

void FocusSpreadsheetWindow(Host& host) {
  host.ActivateWindow(WindowId::kSheet);
  host.Sleep(kFocusPauseMs);
  host.EndSheetEditing();
  host.Sleep(kFocusPauseMs);
  host.DoEvents();
}

}  // namespace tsumiki
