#include "conditions/csv_conditions.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>
#include <tuple>
#include <vector>

#include "conditions/csv_codec.h"
#include "conditions/derived_values.h"
#include "conditions/layout.h"
#include "conditions/value_rules.h"
#include "workbook/file_replace.h"
#include "workbook/output_target.h"
#include "workbook/store_limits.h"
#include "workbook/workbook_error.h"

namespace tsumiki::layout {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

bool ReadsAsNumber(std::string_view text) {
  if (text.empty()) return false;
  double number = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(first, last, number, std::chars_format::general);
  return result.ec == std::errc() && result.ptr == last;
}

std::string EncodeValue(const workbook::CellValue& value) {
  if (value.IsText()) {
    const std::string& text = value.Text();
    if (ReadsAsNumber(text) || text == "TRUE" || text == "FALSE" || text.starts_with('\'') ||
        text.starts_with('#')) {
      return "'" + text;
    }
    return text;
  }
  return ValueText(value);
}

workbook::CellValue DecodeValue(const std::string& field) {
  if (field.starts_with('\'')) return field.substr(1);
  if (field == "TRUE") return true;
  if (field == "FALSE") return false;
  if (field.starts_with('#')) return workbook::CellError{field};
  if (ReadsAsNumber(field)) {
    double number = 0;
    std::from_chars(field.data(), field.data() + field.size(), number, std::chars_format::general);
    return number;
  }
  return field;
}

bool IsNumericMode(ReadMode mode) {
  return mode != ReadMode::kText && mode != ReadMode::kEqualsTrue && mode != ReadMode::kEqualsFalse;
}

// A value the workbook would take but the loader could not use, or a cell could
// not hold: refused with the line, before anything is written.
std::optional<std::string> ValueProblem(const NameSpec& name_spec,
                                        const workbook::CellValue& value) {
  if (auto problem = RuleProblem(name_spec, value)) return problem;
  if (!value.IsText()) return std::nullopt;
  const std::string& text = value.Text();
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r')
      return std::string(csv_text::kReasonControl);
  }
  if (workbook::limits::TextTooLong(text)) return std::string(csv_text::kReasonTooLong);
  if (IsNumericMode(name_spec.mode) && !text.empty())
    return Format(csv_text::kReasonNotANumber, {name_spec.name});
  return std::nullopt;
}

bool ParsePosition(const std::string& text, int& out) {
  const char* last = text.data() + text.size();
  const auto result = std::from_chars(text.data(), last, out);
  return result.ec == std::errc() && result.ptr == last && out >= 1;
}

bool OnlyEmptyAfter(const csv::Record& record, std::size_t first) {
  for (std::size_t i = first; i < record.fields.size(); ++i) {
    if (!record.fields[i].empty()) return false;
  }
  return true;
}

bool IsBlankRecord(const csv::Record& record) {
  return OnlyEmptyAfter(record, 0);
}

struct Entry {
  const NameSpec* name_spec;
  int row;
  int column;
  workbook::CellValue value;
};

}  // namespace

std::string ConditionsCsvText(const workbook::Workbook& book) {
  std::string out(kBom);
  out += csv::FormatRecord({std::string(csv_text::kSignature), std::string(csv_text::kVersion)});
  for (const NameSpec& name_spec : ConditionInputs()) {
    if (!Has(book, name_spec)) continue;
    const workbook::Table table = book.ReadRange(Range(book, name_spec));
    for (std::size_t r = 0; r < table.size(); ++r) {
      for (std::size_t c = 0; c < table[r].size(); ++c) {
        if (IsBlank(table[r][c])) continue;
        out += csv::FormatRecord({std::string(name_spec.name), std::to_string(r + 1),
                                  std::to_string(c + 1), EncodeValue(table[r][c])});
      }
    }
  }
  out += csv::FormatRecord({std::string(csv_text::kEndMark)});
  return out;
}

std::optional<std::string> ApplyConditionsCsv(workbook::Workbook& book, std::string_view text,
                                              std::string_view file_label, bool write) {
  const std::string label(file_label);
  auto bad_line = [&](int line, std::string reason) {
    return Format(csv_text::kBadLine, {label, std::to_string(line), reason});
  };
  if (text.starts_with(kBom)) text.remove_prefix(kBom.size());
  if (const int line = csv::FirstInvalidUtf8Line(text); line != 0) {
    if (line == 1) return Format(csv_text::kForeign, {label});
    return bad_line(line, std::string(csv_text::kReasonNotUtf8));
  }
  const csv::ParseResult parsed = csv::Parse(text);
  const auto& records = parsed.records;
  if (records.empty() || records[0].fields.size() < 2 ||
      records[0].fields[0] != csv_text::kSignature || records[0].fields[1] != csv_text::kVersion ||
      !OnlyEmptyAfter(records[0], 2)) {
    return Format(csv_text::kForeign, {label});
  }
  std::vector<Entry> entries;
  std::map<std::tuple<const NameSpec*, int, int>, int> seen;
  bool ended = false;
  for (std::size_t i = 1; i < records.size(); ++i) {
    const csv::Record& record = records[i];
    if (IsBlankRecord(record)) continue;
    if (ended) return bad_line(record.line, std::string(csv_text::kReasonAfterEnd));
    if (record.fields[0] == csv_text::kEndMark && OnlyEmptyAfter(record, 1)) {
      ended = true;
      continue;
    }
    if (record.fields.size() != 4) {
      return bad_line(record.line, std::string(csv_text::kReasonFieldCount));
    }
    const NameSpec* name_spec = FindName(record.fields[0]);
    bool is_input = false;
    if (name_spec != nullptr) {
      for (const NameSpec& input : ConditionInputs()) is_input |= input.name == name_spec->name;
    }
    if (!is_input || !Has(book, *name_spec)) {
      return bad_line(record.line, Format(csv_text::kReasonUnknownName, {record.fields[0]}));
    }
    int row = 0;
    int column = 0;
    if (!ParsePosition(record.fields[1], row) || !ParsePosition(record.fields[2], column)) {
      return bad_line(record.line, std::string(csv_text::kReasonBadPosition));
    }
    const workbook::CellRange range = Range(book, *name_spec);
    if (row > range.Rows() || column > range.Columns()) {
      return bad_line(record.line, Format(csv_text::kReasonOutOfRange,
                                          {name_spec->name, std::to_string(range.Rows()),
                                           std::to_string(range.Columns())}));
    }
    const auto [at, fresh] = seen.emplace(std::make_tuple(name_spec, row, column), record.line);
    if (!fresh) {
      return bad_line(record.line,
                      Format(csv_text::kReasonDuplicate, {std::to_string(at->second)}));
    }
    workbook::CellValue value = DecodeValue(record.fields[3]);
    if (const auto reason = ValueProblem(*name_spec, value)) return bad_line(record.line, *reason);
    entries.push_back({name_spec, row, column, std::move(value)});
  }
  if (parsed.error == csv::ParseError::kUnclosedQuote) {
    return bad_line(parsed.error_line, std::string(csv_text::kReasonUnclosedQuote));
  }
  if (parsed.error == csv::ParseError::kTextAfterQuote) {
    return bad_line(parsed.error_line, std::string(csv_text::kReasonTextAfterQuote));
  }
  if (!ended) return Format(csv_text::kTruncated, {label});
  if (!write) return std::nullopt;

  // Everything checked: replace the input areas.
  for (const NameSpec& name_spec : ConditionInputs()) {
    if (Has(book, name_spec)) book.WriteRange(Range(book, name_spec), workbook::CellValue());
  }
  for (const Entry& entry : entries) {
    book.WriteCell(Range(book, *entry.name_spec), entry.row, entry.column, entry.value);
  }
  return std::nullopt;
}

std::optional<std::string> SaveConditionsFile(const workbook::Workbook& book,
                                              const std::filesystem::path& path) {
  const std::string label = path.string();
  if (auto refusal = workbook::OutputRefusal(path, book.Path())) return refusal;
  const std::string text = ConditionsCsvText(book);
  try {
    // A temporary file created exclusively beside the real file, never one at a
    // fixed name that a link could stand at.
    workbook::RemoveStaleTemporaries(workbook::RealTarget(path).parent_path());
    workbook::ReplaceFile(path, text, {});
  } catch (const workbook::WorkbookError&) {
    return Format(csv_text::kCannotWrite, {label});
  }
  return std::nullopt;
}

std::optional<std::string> LoadConditionsFile(workbook::Workbook& book,
                                              const std::filesystem::path& path, bool write) {
  const std::string label = path.string();
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || !std::filesystem::is_regular_file(path, error)) {
    return Format(csv_text::kCannotRead, {label});
  }
  if (size > kMaxFileBytes) return Format(csv_text::kTooLarge, {label});
  std::ifstream in(path, std::ios::binary);
  if (!in) return Format(csv_text::kCannotRead, {label});
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return ApplyConditionsCsv(book, buffer.str(), label, write);
}

}  // namespace tsumiki::layout
