#include <chrono>
#include <cmath>
#include <cstdio>

#include "workbook/format_sections.h"

// Dates and times under a number format: the serial day count of the 1900 or
// 1904 date system and the time of day as the fraction.
namespace tsumiki::workbook {

namespace {

struct DateParts {
  int year = 1900, month = 1, day = 0, weekday = 0;  // weekday 0 = Sunday
  long long days = 0;
  int hour = 0, minute = 0, second = 0;
};

DateParts Decompose(double serial, bool date1904) {
  DateParts parts;
  long long seconds = std::llround(serial * 86400.0);
  parts.days = seconds / 86400;
  long long in_day = seconds % 86400;
  parts.hour = static_cast<int>(in_day / 3600);
  parts.minute = static_cast<int>(in_day / 60 % 60);
  parts.second = static_cast<int>(in_day % 60);
  long long days = parts.days + (date1904 ? 1462 : 0);
  if (days == 0) {  // Excel shows serial 0 as 1900-01-00
    parts.weekday = 6;
    return parts;
  }
  if (days == 60) {  // the 1900 leap day that never was
    parts.month = 2;
    parts.day = 29;
    parts.weekday = 3;
    return parts;
  }
  // Serial 25569 is 1970-01-01; before the false leap day everything is one day off.
  const std::chrono::sys_days date{std::chrono::days{days - 25569 + (days < 60 ? 1 : 0)}};
  const std::chrono::year_month_day ymd{date};
  parts.year = static_cast<int>(ymd.year());
  parts.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  parts.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
  parts.weekday = static_cast<int>(std::chrono::weekday{date}.c_encoding());
  return parts;
}

struct Era {
  int year, month, day;
  const char* letter;
  const char* short_name;
  const char* name;
};

constexpr Era kEras[] = {{2019, 5, 1, "R", "令", "令和"},
                         {1989, 1, 8, "H", "平", "平成"},
                         {1926, 12, 25, "S", "昭", "昭和"},
                         {1912, 7, 30, "T", "大", "大正"},
                         {1868, 1, 1, "M", "明", "明治"}};

const Era* EraOf(const DateParts& d) {
  for (const Era& era : kEras) {
    if (d.year > era.year ||
        (d.year == era.year && (d.month > era.month || (d.month == era.month && d.day >= era.day))))
      return &era;
  }
  return nullptr;
}

std::string Padded(long long value, size_t width) {
  std::string text = std::to_string(value);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};
constexpr const char* kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
constexpr const char* kJapaneseDays[] = {"日", "月", "火", "水", "木", "金", "土"};

bool IsMinute(const std::vector<FormatToken>& tokens, size_t i) {
  for (size_t j = i; j > 0; --j) {
    const auto& t = tokens[j - 1];
    if (t.kind != FormatToken::kDate) continue;
    if (t.text[0] == 'h' || t.text.rfind("[h", 0) == 0) return true;
    break;
  }
  for (size_t j = i + 1; j < tokens.size(); ++j) {
    const auto& t = tokens[j];
    if (t.kind != FormatToken::kDate) continue;
    return t.text[0] == 's' || t.text.rfind("[s", 0) == 0;
  }
  return false;
}

}  // namespace

std::string ApplyDateSection(const FormatSection& section, double serial, bool date1904) {
  if (serial < 0 || serial > 2958465.99999) return "########";
  DateParts d = Decompose(serial, date1904);
  bool twelve_hour = false;
  for (const auto& token : section.tokens)
    if (token.kind == FormatToken::kAmPm) twelve_hour = true;
  const Era* era = EraOf(d);
  std::string out;
  const auto& tokens = section.tokens;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const auto& token = tokens[i];
    const std::string& t = token.text;
    size_t n = t.size();
    switch (token.kind) {
      case FormatToken::kLiteral:
        out += t;
        break;
      case FormatToken::kPoint:
        out += '.';
        break;
      case FormatToken::kDigit:
        out += '0';
        break;
      case FormatToken::kAmPm: {
        bool pm = d.hour >= 12;
        if (n == 5) {
          out += pm ? "PM" : "AM";
        } else {
          out += pm ? "P" : "A";
        }
        break;
      }
      case FormatToken::kDate:
        if (t[0] == '[') {
          long long total = d.days * 86400 + d.hour * 3600 + d.minute * 60 + d.second;
          size_t width = n - 2;
          if (t[1] == 'h') out += Padded(total / 3600, width);
          if (t[1] == 'm') out += Padded(total / 60, width);
          if (t[1] == 's') out += Padded(total, width);
        } else if (t[0] == 'y') {
          out += n <= 2 ? Padded(d.year % 100, 2) : Padded(d.year, 4);
        } else if (t[0] == 'm' && IsMinute(tokens, i)) {
          out += Padded(d.minute, n >= 2 ? 2 : 1);
        } else if (t[0] == 'm') {
          if (n <= 2) out += Padded(d.month, n);
          if (n == 3) out += std::string(kMonths[d.month - 1]).substr(0, 3);
          if (n == 4) out += kMonths[d.month - 1];
          if (n >= 5) out += kMonths[d.month - 1][0];
        } else if (t[0] == 'd') {
          if (n <= 2) out += Padded(d.day, n);
          if (n == 3) out += std::string(kDays[d.weekday]).substr(0, 3);
          if (n >= 4) out += kDays[d.weekday];
        } else if (t[0] == 'a') {
          out += kJapaneseDays[d.weekday];
          if (n >= 4) out += "曜日";
        } else if (t[0] == 'h') {
          int hour = twelve_hour ? (d.hour % 12 == 0 ? 12 : d.hour % 12) : d.hour;
          out += Padded(hour, n >= 2 ? 2 : 1);
        } else if (t[0] == 's') {
          out += Padded(d.second, n >= 2 ? 2 : 1);
        } else if (t[0] == 'g') {
          if (era != nullptr) out += n == 1 ? era->letter : n == 2 ? era->short_name : era->name;
        } else if (t[0] == 'e') {
          int year = era != nullptr ? d.year - era->year + 1 : d.year;
          out += Padded(year, n >= 2 ? 2 : 1);
        }
        break;
      default:
        break;
    }
  }
  return out;
}

}  // namespace tsumiki::workbook
