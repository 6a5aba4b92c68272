#include "check/roster_html.h"

#include <cstdio>

#include "check/roster_calendar.h"
#include "check/roster_html_style.h"
#include "workbook/color_palette.h"

namespace tsumiki {
namespace {

std::string HexColour(std::uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
  return text;
}

// Dark fills get white text, as a planner would pick it on the sheet.
bool IsDark(std::uint32_t rgb) {
  const unsigned r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  return r * 299 + g * 587 + b * 114 < 128000;
}

// One rule ".t<type>" per duty whose 略称 cell has a fill.
std::string DutyColourRules(const MonthLabels& labels) {
  std::string css;
  const workbook::Palette& palette = workbook::DefaultPalette();
  for (std::size_t t = 0; t < labels.duty_fills.size(); ++t) {
    const int index = labels.duty_fills[t];
    if (index < 1 || index > static_cast<int>(palette.size())) continue;
    const std::uint32_t rgb = palette[static_cast<std::size_t>(index - 1)];
    css += ".t" + std::to_string(t + 1) + "{background:" + HexColour(rgb) +
           (IsDark(rgb) ? ";color:#fff" : "") + "}\n";
  }
  return css;
}

std::string WeekdayClass(const MonthLabels& labels, int day) {
  if (!labels.first_date) return {};
  const int weekday = layout::Weekday(layout::AddDays(*labels.first_date, day - 1));
  return weekday == 0 ? "sun" : weekday == 6 ? "sat" : "";
}

std::string Element(const std::string& tag, const std::string& attributes,
                    const std::string& content) {
  return "<" + tag + (attributes.empty() ? "" : " " + attributes) + ">" + content + "</" + tag +
         ">";
}

std::string ClassAttribute(const std::string& name) {
  return name.empty() ? std::string() : "class=\"" + name + "\"";
}

std::string HeadRow(const ConditionModel& model, const MonthLabels& labels) {
  std::string row = Element("th", "class=\"name\" scope=\"col\"", "氏名");
  for (int d = 1; d <= model.DayCount; ++d) {
    row += Element("th", ClassAttribute(WeekdayClass(labels, d)) + " scope=\"col\"",
                   HtmlEscape(labels.DateText(d)) + "<br>" + HtmlEscape(labels.WeekdayText(d)));
  }
  row += Element("th", "scope=\"col\"", "勤務") + Element("th", "scope=\"col\"", "休み");
  return Element("thead", "", Element("tr", "", row));
}

std::string MemberRow(const ConditionModel& model, const RosterTotals& totals, int member) {
  std::string row =
      Element("th", "class=\"name\" scope=\"row\"", HtmlEscape(model.MemberInfo(member, 2)));
  for (int d = 1; d <= model.DayCount; ++d) {
    const int code = model.Roster(member, d);
    if (code == kRestDay) {
      row += "<td></td>";
    } else if (code >= 1 && code <= model.TypeCount) {
      row += Element("td", ClassAttribute("t" + std::to_string(code)),
                     HtmlEscape(model.TypeAbbrev(code)));
    } else {
      row += "<td>?</td>";
    }
  }
  const MemberTotals& sum = totals.members[static_cast<std::size_t>(member - 1)];
  row += Element("td", "class=\"sum\"", std::to_string(sum.work_days)) +
         Element("td", "class=\"sum\"", std::to_string(sum.days_off));
  return Element("tr", "id=\"m" + std::to_string(member) + "\"", row);
}

std::string NameList(const ConditionModel& model) {
  std::string links;
  for (int m = 1; m <= model.MemberCount; ++m) {
    links +=
        Element("a", "href=\"#m" + std::to_string(m) + "\"", HtmlEscape(model.MemberInfo(m, 2)));
  }
  return Element("nav", "aria-label=\"職員\"", links);
}

std::string Legend(const ConditionModel& model, const MonthLabels& labels) {
  std::string items;
  for (int t = 1; t <= model.TypeCount; ++t) {
    items += Element(
        "li", "",
        Element("span", ClassAttribute("t" + std::to_string(t)), HtmlEscape(model.TypeAbbrev(t))) +
            HtmlEscape(labels.duty_names[static_cast<std::size_t>(t - 1)]));
  }
  return Element("ul", "class=\"legend\"", items);
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string RosterHtml(const ConditionModel& model, const MonthLabels& labels,
                       const RosterTotals& totals, const std::string& workplace) {
  const std::string title = HtmlEscape(workplace + " " + MonthCaption(labels) + " 勤務表");
  std::string body;
  for (int m = 1; m <= model.MemberCount; ++m) body += MemberRow(model, totals, m);
  return "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n" +
         Element("title", "", title) + "\n<style>" + std::string(kRosterPageStyle) +
         DutyColourRules(labels) + "</style>\n</head>\n<body>\n" + Element("h1", "", title) + "\n" +
         NameList(model) + "\n<div class=\"scroll\">" +
         Element("table", "", HeadRow(model, labels) + "\n" + Element("tbody", "", body)) +
         "</div>\n" + Legend(model, labels) + "\n</body>\n</html>\n";
}

}  // namespace tsumiki
