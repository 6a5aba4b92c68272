#pragma once

#include <string_view>

namespace tsumiki::workbook {

// What makes the bytes of a package part unfit to be read as text, or nullptr.
// The XML parser reads a declared Shift_JIS as UTF-8, keeps bytes that are no
// UTF-8, leaves an unknown entity (&nosuch;) as literal text and turns &#0; into a
// NUL: each would be shown as something else and saved into a file that other
// spreadsheet programs refuse. Refused: an encoding other than UTF-8 or UTF-16, a
// byte sequence that is no UTF-8 (in a part without a UTF-16 byte order mark), a
// control character or character reference that XML does not allow, and an entity
// other than the five predefined ones. Comments and CDATA sections are not looked
// into. Linear in the size of the part.
const char* XmlTextFault(std::string_view bytes);

}  // namespace tsumiki::workbook
