#include "gui/rule_marks.h"

namespace tsumiki::gui {

namespace {
template <typename Key>
void Note(std::map<Key, QString>& notes, const Key& key, const std::string& reason) {
  QString& text = notes[key];
  if (!text.isEmpty()) text += QLatin1Char('\n');
  text += QString::fromStdString(reason);
}
}  // namespace

RuleMarks MarkFindings(const std::vector<Finding>& findings, const workbook::CellRange& roster,
                       int date_row) {
  RuleMarks marks;
  for (const Finding& f : findings) {
    const int column = roster.left + f.day - 2;  // 0-based, as the sheet's table counts
    if (f.member > 0 && f.day > 0) {
      Note(marks.sheet, std::pair(roster.top + f.member - 2, column), f.reason);
    } else if (f.member > 0) {
      Note(marks.member_month, f.member, f.reason);
    } else if (f.day > 0) {
      if (date_row > 0) Note(marks.sheet, std::pair(date_row - 1, column), f.reason);
      Note(marks.day_duty, std::pair(f.day, f.duty), f.reason);
    }
  }
  return marks;
}

}  // namespace tsumiki::gui
