#include "check/roster_export.h"

#include <cstdio>

#include "conditions/csv_codec.h"

namespace tsumiki {
namespace {

std::string DutyText(const ConditionModel& model, int code) {
  if (code == kRestDay) return {};
  if (code >= 1 && code <= model.TypeCount) return model.TypeAbbrev(code);
  return "?";
}

std::string IsoDate(const MonthLabels& labels, int day) {
  if (!labels.first_date) return {};
  const layout::CivilDate date = layout::AddDays(*labels.first_date, day - 1);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

// Joins already formatted JSON values into an array.
template <typename F>
std::string Array(int first, int last, F item) {
  std::string out = "[";
  for (int i = first; i <= last; ++i) {
    if (i > first) out += ",";
    out += item(i);
  }
  return out + "]";
}

std::string Field(const std::string& key, const std::string& json_value) {
  return JsonString(key) + ":" + json_value;
}

std::string Number(int value) {
  return std::to_string(value);
}

// Only a workbook that sets wishes or desired staffing has these fields, so that
// the export of every other month stays as it was.
std::string Wishes(const ConditionModel& model, const MemberTotals& sum) {
  if (!model.Extra.HasSoft) return {};
  return "," + Field("wishes_granted", Number(sum.wishes_granted)) + "," +
         Field("wishes_missed", Number(sum.wishes_missed));
}

std::string Desired(const ConditionModel& model, const DayTotals& day) {
  if (!model.Extra.HasSoft) return {};
  return "," + Field("desired", Array(1, model.TypeCount, [&](int t) {
           return Number(day.desired[static_cast<std::size_t>(t - 1)]);
         }));
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string RosterCsv(const ConditionModel& model, const MonthLabels& labels) {
  std::vector<std::string> head{"番号", "氏名"};
  for (int d = 1; d <= model.DayCount; ++d) {
    const std::string weekday = labels.WeekdayText(d);
    head.push_back(labels.DateText(d) + (weekday.empty() ? "" : "(" + weekday + ")"));
  }
  std::string out = layout::csv::FormatRecord(head);
  for (int m = 1; m <= model.MemberCount; ++m) {
    std::vector<std::string> row{model.MemberInfo(m, 1), model.MemberInfo(m, 2)};
    for (int d = 1; d <= model.DayCount; ++d) row.push_back(DutyText(model, model.Roster(m, d)));
    out += layout::csv::FormatRecord(row);
  }
  return out;
}

std::string RosterJson(const ConditionModel& model, const MonthLabels& labels,
                       const RosterTotals& totals) {
  const int types = model.TypeCount;
  const std::string duties = Array(1, types, [&](int t) {
    return "{" + Field("abbrev", JsonString(model.TypeAbbrev(t))) + "," +
           Field("name", JsonString(labels.duty_names[static_cast<std::size_t>(t - 1)])) + "}";
  });
  const std::string days = Array(1, model.DayCount, [&](int d) {
    return "{" + Field("day", Number(d)) + "," + Field("date", JsonString(IsoDate(labels, d))) +
           "," + Field("weekday", JsonString(labels.WeekdayText(d))) + "}";
  });
  const std::string members = Array(1, model.MemberCount, [&](int m) {
    const MemberTotals& sum = totals.members[static_cast<std::size_t>(m - 1)];
    const std::string roster = Array(
        1, model.DayCount, [&](int d) { return JsonString(DutyText(model, model.Roster(m, d))); });
    const std::string counts =
        Array(1, types, [&](int t) { return Number(sum.duties[static_cast<std::size_t>(t - 1)]); });
    return "{" + Field("number", JsonString(model.MemberInfo(m, 1))) + "," +
           Field("name", JsonString(model.MemberInfo(m, 2))) + "," + Field("roster", roster) + "," +
           Field("duty_counts", counts) + "," + Field("work_days", Number(sum.work_days)) + "," +
           Field("work_day_target", Number(sum.target)) + "," +
           Field("days_off", Number(sum.days_off)) + "," +
           Field("single_work", Number(sum.single_work)) + "," +
           Field("single_rest", Number(sum.single_rest)) + Wishes(model, sum) + "}";
  });
  const std::string staffing = Array(1, model.DayCount, [&](int d) {
    const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
    return "{" + Field("day", Number(d)) + "," +
           Field("staff",
                 Array(1, types,
                       [&](int t) { return Number(day.staff[static_cast<std::size_t>(t - 1)]); })) +
           "," +
           Field("need",
                 Array(1, types,
                       [&](int t) { return Number(day.need[static_cast<std::size_t>(t - 1)]); })) +
           Desired(model, day) + "}";
  });
  return "{" + Field("year", Number(labels.first_date ? labels.first_date->year : 0)) + "," +
         Field("month", Number(labels.first_date ? labels.first_date->month : 0)) + "," +
         Field("duties", duties) + "," + Field("days", days) + "," + Field("members", members) +
         "," + Field("staffing", staffing) + "}\n";
}

std::string FindingsJson(const ConditionModel& model, const MonthLabels& labels,
                         const std::vector<Finding>& findings) {
  const int last = static_cast<int>(findings.size());
  return Array(1, last,
               [&](int i) {
                 const Finding& f = findings[static_cast<std::size_t>(i - 1)];
                 const bool member = f.member >= 1;
                 return "{" + Field("member", Number(f.member)) + "," +
                        Field("number", JsonString(member ? model.MemberInfo(f.member, 1) : "")) +
                        "," +
                        Field("name", JsonString(member ? model.MemberInfo(f.member, 2) : "")) +
                        "," + Field("day", Number(f.day)) + "," +
                        Field("date", JsonString(f.day >= 1 ? IsoDate(labels, f.day) : "")) + "," +
                        Field("rule", JsonString(std::string(RuleId(f.rule)))) + "," +
                        Field("rule_name", JsonString(std::string(RuleName(f.rule)))) + "," +
                        Field("reason", JsonString(f.reason)) + "}";
               }) +
         "\n";
}

}  // namespace tsumiki
