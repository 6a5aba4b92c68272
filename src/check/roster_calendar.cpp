#include "check/roster_calendar.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "ui/app_identity.h"

namespace tsumiki {
namespace {

constexpr std::string_view kCrlf = "\r\n";
constexpr std::size_t kMaxLineOctets = 75;

// TEXT values escape backslash, semicolon and comma, and carry line breaks as \n.
std::string EscapeText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// A content line folded at 75 octets; a fold never splits a UTF-8 character.
std::string FoldedLine(std::string_view line) {
  std::string out;
  std::size_t limit = kMaxLineOctets;
  while (line.size() > limit) {
    std::size_t cut = limit;
    while (cut > 0 && IsContinuationByte(line[cut])) --cut;
    out.append(line.substr(0, cut));
    out += kCrlf;
    out += ' ';
    line.remove_prefix(cut);
    limit = kMaxLineOctets - 1;  // the leading space counts
  }
  out.append(line);
  out += kCrlf;
  return out;
}

std::string BasicDate(const layout::CivilDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

// FNV-1a: a short, stable fingerprint of the workplace for the UIDs.
std::string Fingerprint(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  char hex[20];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

// The member's number as typed, else the row: the part of the UID that names them.
std::string MemberKey(const ConditionModel& model, int member) {
  std::string key;
  for (const char c : model.MemberInfo(member, 1)) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) key += c;
  }
  return key.empty() ? "row" + std::to_string(member) : key;
}

}  // namespace

std::string MonthCaption(const MonthLabels& labels) {
  if (!labels.first_date) return {};
  return std::to_string(labels.first_date->year) + "年" + std::to_string(labels.first_date->month) +
         "月";
}

std::string MemberCalendar(const ConditionModel& model, const MonthLabels& labels,
                           const CalendarStamp& stamp, int member) {
  const std::string name = model.MemberInfo(member, 2);
  std::string out = FoldedLine("BEGIN:VCALENDAR");
  out += FoldedLine("VERSION:2.0");
  out += FoldedLine("PRODID:-//tsumiki//" + TitleWithVersion() + "//JA");
  out += FoldedLine("CALSCALE:GREGORIAN");
  out += FoldedLine("METHOD:PUBLISH");
  out += FoldedLine("X-WR-CALNAME:" +
                    EscapeText(stamp.workplace + " " + MonthCaption(labels) + " " + name));
  if (!labels.first_date) return out + FoldedLine("END:VCALENDAR");
  const std::string place = Fingerprint(stamp.workplace);
  const std::string key = MemberKey(model, member);
  for (int d = 1; d <= model.DayCount; ++d) {
    const int code = model.Roster(member, d);
    if (code < 1 || code > model.TypeCount) continue;
    const layout::CivilDate date = layout::AddDays(*labels.first_date, d - 1);
    const std::string& duty = labels.duty_names[static_cast<std::size_t>(code - 1)];
    out += FoldedLine("BEGIN:VEVENT");
    out += FoldedLine("UID:" + BasicDate(date) + "-" + key + "-" + place + "@tsumiki");
    out += FoldedLine("DTSTAMP:" + stamp.dtstamp);
    out += FoldedLine("DTSTART;VALUE=DATE:" + BasicDate(date));
    out += FoldedLine("DTEND;VALUE=DATE:" + BasicDate(layout::AddDays(date, 1)));
    out += FoldedLine("SUMMARY:" + EscapeText(duty + "（" + model.TypeAbbrev(code) + "）"));
    out += FoldedLine("END:VEVENT");
  }
  return out + FoldedLine("END:VCALENDAR");
}

std::string MemberCalendarFileName(const ConditionModel& model, int member) {
  std::string stem = model.MemberInfo(member, 1) + "_" + model.MemberInfo(member, 2);
  for (char& c : stem) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' ||
        c == '<' || c == '>' || c == '|')
      c = '_';
  }
  if (stem.front() == '.') stem.front() = '_';
  return stem + ".ics";
}

}  // namespace tsumiki
