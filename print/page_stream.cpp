#include "print/page_stream.h"

#include <charconv>
#include <cstdio>
#include <type_traits>
#include <vector>

namespace tsumiki {
namespace {

constexpr std::string_view kFormLine = "tsumiki-pages 1";

std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

std::string Hex(Rgb colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(colour & 0xFFFFFF));
  return buffer;
}

// The shortest text that reads back as the same number.
std::string Number(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

template <typename T>
std::optional<T> Parsed(std::string_view text, int base = 10) {
  T value{};
  const char* end = text.data() + text.size();
  std::from_chars_result result{};
  if constexpr (std::is_floating_point_v<T>) {
    result = std::from_chars(text.data(), end, value);
  } else {
    result = std::from_chars(text.data(), end, value, base);
  }
  if (text.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
  return value;
}

std::optional<Rgb> Colour(std::string_view text) {
  return text.size() == 6 ? Parsed<Rgb>(text, 16) : std::nullopt;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) return fields;
    start = tab + 1;
  }
}

// Reads one record into the document; false when it does not fit the form.
bool ReadRecord(const std::vector<std::string_view>& f, PrintedRoster& roster) {
  const std::string_view kind = f[0];
  RosterPage* page = roster.pages.empty() ? nullptr : &roster.pages.back();
  if (kind == "paper" && f.size() == 2 && (f[1] == "A4" || f[1] == "A3")) {
    roster.paper = f[1] == "A3" ? Paper::kA3 : Paper::kA4;
  } else if (kind == "title" && f.size() == 2) {
    const auto title = Unescaped(f[1]);
    if (!title) return false;
    roster.title = *title;
  } else if (kind == "page" && f.size() == 2) {
    const auto title = Unescaped(f[1]);
    if (!title) return false;
    roster.pages.push_back({*title, {}, {}});
  } else if (kind == "row" && f.size() == 1 && page != nullptr) {
    page->rows.emplace_back();
  } else if (kind == "cell" && f.size() == 5 && page != nullptr && !page->rows.empty()) {
    const auto fill = Colour(f[1]);
    const auto ink = Colour(f[2]);
    const auto width = Parsed<double>(f[3]);
    const auto text = Unescaped(f[4]);
    if (!fill || !ink || !width || !(*width > 0) || !text) return false;
    page->rows.back().push_back({*text, *fill, *ink, *width});
  } else if (kind == "legend" && f.size() == 4 && page != nullptr) {
    const auto fill = Colour(f[1]);
    const auto abbrev = Unescaped(f[2]);
    const auto name = Unescaped(f[3]);
    if (!fill || !abbrev || !name) return false;
    page->legend.push_back({*abbrev, *name, *fill});
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::string WritePageStream(const PrintedRoster& roster) {
  std::string out(kFormLine);
  out += '\n';
  out += roster.paper == Paper::kA3 ? "paper\tA3\n" : "paper\tA4\n";
  out += "title\t" + Escaped(roster.title) + '\n';
  for (const RosterPage& page : roster.pages) {
    out += "page\t" + Escaped(page.title) + '\n';
    for (const auto& row : page.rows) {
      out += "row\n";
      for (const PageCell& cell : row) {
        out += "cell\t" + Hex(cell.fill) + '\t' + Hex(cell.ink) + '\t' + Number(cell.width) +
               '\t' + Escaped(cell.text) + '\n';
      }
    }
    for (const PageLegendItem& item : page.legend) {
      out += "legend\t" + Hex(item.fill) + '\t' + Escaped(item.abbrev) + '\t' +
             Escaped(item.name) + '\n';
    }
  }
  out += "end\n";
  return out;
}

std::optional<PrintedRoster> ReadPageStream(std::string_view text) {
  PrintedRoster roster;
  bool first = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // cut short
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (first) {
      if (line != kFormLine) return std::nullopt;
      first = false;
    } else if (line == "end") {
      if (!text.empty() || roster.pages.empty()) return std::nullopt;
      return roster;
    } else if (!ReadRecord(Fields(line), roster)) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace tsumiki
