#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "conditions/derived_calendar.h"
#include "conditions/input_problems.h"
#include "conditions/layout.h"
#include "workbook/workbook.h"

// Internal to the derived-name computation (derived_*.cpp).
namespace tsumiki::layout::detail {

// What one pass over the typed cells learns and later steps build on.
struct DerivedFacts {
  int type_count = 0;
  std::vector<std::string> type_names;                     // 0-based, all rows of Type_Table_Org
  std::vector<std::string> type_abbrev;                    // 0-based, all rows of 略称
  std::map<std::string, int, std::less<>> abbrev_to_type;  // last row wins
  std::optional<CivilDate> period_start;
  std::optional<int> day_count;
  int member_count = 0;
  workbook::Table members;  // Member_List as read
};

// Reads, writes and reports for one recalculation.
class DeriveContext {
 public:
  DeriveContext(workbook::Workbook& book, std::vector<InputProblem>* problems, bool write)
      : book_(book), problems_(problems), write_(write) {}

  std::optional<workbook::CellRange> RangeOf(const NameSpec& name_spec) const;
  // The values of a name, shaped like its range; nullopt when the book lacks it.
  std::optional<workbook::Table> Read(const NameSpec& name_spec) const;
  // Writes the cells of `values` that differ from the book. Values beyond the
  // range are dropped; cells of the range beyond `values` are left alone.
  void Write(const NameSpec& name_spec, const workbook::Table& values);
  void WriteOne(const NameSpec& name_spec, const workbook::CellValue& value);
  // Records a problem at cell (row, column) of the name, 1-based.
  void Problem(const NameSpec& name_spec, int row, int column, std::string message);

  workbook::Workbook& book() { return book_; }
  DerivedFacts& facts() { return facts_; }

 private:
  workbook::Workbook& book_;
  std::vector<InputProblem>* problems_;
  bool write_;
  DerivedFacts facts_;
};

// A table of `rows` x `columns` empty values.
workbook::Table EmptyTable(int rows, int columns);
// The cell (row, column), 0-based, or an empty value outside the table.
const workbook::CellValue& At(const workbook::Table& table, int row, int column);

// Steps, in the order the recalculation runs them.
void DeriveTypes(DeriveContext& context);
void DerivePeriod(DeriveContext& context);
void DeriveMembers(DeriveContext& context);
void DeriveSchedule(DeriveContext& context);
void DeriveReservations(DeriveContext& context);
void DeriveRosterFigures(DeriveContext& context);
void DeriveSelection(DeriveContext& context);
void DeriveLabels(DeriveContext& context);
// Values that would otherwise be taken silently (text read as 0, counts that
// cannot be met); only when problems are being gathered.
void CheckTypedValues(DeriveContext& context);
// Numbers outside what a cell allows, flags that are no TRUE/FALSE, short names
// nobody has in sequences and the previous month, reservations on rows without a
// member (derived_rule_checks.cpp).
void CheckValueRules(DeriveContext& context);
// The optional areas of counts, runs, weekends, wishes and desired staffing: text
// where a number belongs, numbers out of range, wishes nobody can read, a least
// count above the most (derived_extra_checks.cpp).
void CheckExtraValues(DeriveContext& context);

}  // namespace tsumiki::layout::detail
