#include "present/readjust_text.h"

#include <array>
#include <cstdio>

namespace tsumiki {

namespace chr = std::chrono;

std::optional<Date> BaseDate(int year, int month, int base_day) {
  if (year < 1900 || year > 9999 || month < 1 || month > 12) return std::nullopt;
  const chr::year_month_day first{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                                  chr::day{1}};
  return Date{first} + chr::days{base_day - 1};
}

Date DayDate(Date base, int day) {
  return base + chr::days{day - 1};
}

std::string DateWithWeekday(Date date) {
  static constexpr std::array<std::string_view, 7> kWeekdays = {"日", "月", "火", "水",
                                                                "木", "金", "土"};
  const chr::year_month_day ymd{date};
  const chr::weekday weekday{date};
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d/%u/%u(", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return std::string(buf) + std::string(kWeekdays[weekday.c_encoding()]) + ")";
}

std::string ShortDate(Date date) {
  const chr::year_month_day ymd{date};
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d/%02u/%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return buf;
}

std::string ReadjustQuestion(std::string_view date_text, std::string_view member_name,
                             std::string_view duty_name) {
  std::string q(date_text);
  q += " の < ";
  q += member_name;
  q += " >さんの< ";
  q += duty_name;
  q += " >を休みにしてスケジュールを再調整します！\nよろしいですか？";
  return q;
}

std::string ProposalText(const std::vector<Exchange>& exchanges, const ConditionModel& model,
                         std::optional<Date> base) {
  std::string text(kProposalLead);
  text += "\n\n";
  for (const Exchange& e : exchanges) {
    // Without a readable base date the line still names the day of the period.
    text += base ? ShortDate(DayDate(*base, e.day)) : std::to_string(e.day);
    text += "日　<";
    text += model.MemberInfo(e.a, 1) + " " + model.MemberInfo(e.a, 2);
    text += "> ⇔ <";
    text += model.MemberInfo(e.b, 1) + " " + model.MemberInfo(e.b, 2);
    text += ">\n\n";
  }
  text += "\n";
  text += kProposalQuestion;
  return text;
}

}  // namespace tsumiki
