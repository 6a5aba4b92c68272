#pragma once

#include <string_view>

#include "ui/host.h"

namespace tsumiki {

// Loads and shows a window by name. A window that fails to load or show is left
// as it is: showing a helper window must never stop the command that asked.
void ShowForm(Host& host, std::string_view form_name);
// Unloads a window by name; failures are ignored for the same reason.
void CloseForm(Host& host, std::string_view form_name);

}  // namespace tsumiki
