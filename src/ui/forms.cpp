#include "ui/forms.h"

#include <exception>

namespace tsumiki {

void ShowForm(Host& host, std::string_view form_name) {
  try {
    host.ShowForm(form_name);
  } catch (const std::exception&) {
    // Ignored on purpose (see the header).
  }
}

void CloseForm(Host& host, std::string_view form_name) {
  try {
    host.CloseForm(form_name);
  } catch (const std::exception&) {
    // Ignored on purpose (see the header).
  }
}

}  // namespace tsumiki
