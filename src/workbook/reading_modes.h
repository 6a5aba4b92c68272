#pragma once

#include <string>
#include <string_view>

#include "workbook/cell_value.h"
#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

// The ways the condition readers turn a cell into a number, a text or a flag.
// Each function that can fail throws WorkbookError (kBadValue) naming `place`,
// which the caller fills with the sheet, name and cell it read.

// The leading decimal number of a text as BASIC's Val reads it: blanks, tabs and
// line feeds are skipped anywhere, then an optional sign, digits with at most one
// point and an optional exponent (E or D); reading stops at the first other
// character. "12abc" is 12, "" and "abc" are 0, " 3.5" is 3.5, "1 000" is 1000.
// An exponent beyond the range of a double is a conversion failure.
double LeadingNumber(std::string_view text, const WorkbookError::Place& place = {});

// Rounds to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// A value outside int's range, or not finite, is a conversion failure.
int RoundHalfEven(double value, const WorkbookError::Place& place = {});

// The "text" reading mode, and the first step of "value text -> number": the
// value as text, as BASIC's CStr writes it: empty -> "", 3.0 -> "3",
// 2.5 -> "2.5", up to 15 significant digits, exponent form like "1E+15";
// TRUE/FALSE -> "True"/"False"; an error value -> its code ("#N/A").
std::string ValueToText(const CellValue& value);

// displayed text -> number: the leading number of the displayed text, rounded.
int DisplayedTextToNumber(std::string_view displayed, const WorkbookError::Place& place = {});

// value text -> number: the value converted to text, then its leading number.
// A logical value reads as 0 ("True" has no leading number); an error value is a
// conversion failure rather than a silent 0.
double ValueTextToDouble(const CellValue& value, const WorkbookError::Place& place = {});
int ValueTextToInt(const CellValue& value, const WorkbookError::Place& place = {});
float ValueTextToSingle(const CellValue& value, const WorkbookError::Place& place = {});

// The value as a whole number: an empty cell (or a text of blanks only) is 0, a
// number or numeric text is rounded halves to even, TRUE is -1 and FALSE 0 (the
// platform's truth values); other text and error values are conversion failures.
int ValueToInt(const CellValue& value, const WorkbookError::Place& place = {});
// The same without rounding, in single precision.
float ValueToSingle(const CellValue& value, const WorkbookError::Place& place = {});

// True only when the cell holds the logical value TRUE (or FALSE); an empty cell,
// a number or a text such as "TRUE" is neither.
bool EqualsTrue(const CellValue& value);
bool EqualsFalse(const CellValue& value);

}  // namespace tsumiki::workbook
