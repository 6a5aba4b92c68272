#include "conditions/sample_template.h"

#include <xlsxwriter.h>
#include <zip.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "conditions/sample_texts.h"

namespace tsumiki::layout {
namespace {

// 2026-12-01 00:00 UTC: the document dates of every generated workbook.
constexpr std::time_t kDocumentTime = 1796083200;

constexpr std::string_view kWorkbookContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
constexpr std::string_view kMacroContentType =
    "application/vnd.ms-excel.sheet.macroEnabled.main+xml";

// Fills, from the spreadsheet palette so that colour indexes read back exactly.
constexpr lxw_color_t kInputFill = 0xFFFFCC;    // ColorIndex 19
constexpr lxw_color_t kDerivedFill = 0xC0C0C0;  // ColorIndex 15
constexpr lxw_color_t kHeadFill = 0xCCFFFF;     // ColorIndex 20

constexpr double kDayWidth = 5.0;

// Page setup of the roster sheet: the rows of dates and weekdays above Time_Table
// and xlsxwriter's number for A4.
constexpr int kRosterHeadFirstRow = 5;
constexpr int kRosterHeadLastRow = 6;
constexpr std::uint8_t kPaperA4 = 9;

std::string AbsoluteCell(int row, int column) {
  const std::string name = CellName(row, column);
  const auto digits = name.find_first_of("0123456789");
  return "$" + name.substr(0, digits) + "$" + name.substr(digits);
}

class TemplateWriter {
 public:
  explicit TemplateWriter(const std::string& path) {
    lxw_workbook_options options{};
    book_ = workbook_new_opt(path.c_str(), &options);
    if (book_ == nullptr) throw std::runtime_error("cannot create " + path);
    title_ = Format([](lxw_format* f) {
      format_set_bold(f);
      format_set_font_size(f, 14);
    });
    note_ = Format([](lxw_format* f) { format_set_font_color(f, 0x333333); });
    label_ = Format([](lxw_format* f) { format_set_bold(f); });
    head_ = Format([](lxw_format* f) {
      format_set_bold(f);
      format_set_bg_color(f, kHeadFill);
      format_set_border(f, LXW_BORDER_THIN);
      format_set_align(f, LXW_ALIGN_CENTER);
    });
    input_ = Format([](lxw_format* f) {
      format_set_bg_color(f, kInputFill);
      format_set_border(f, LXW_BORDER_THIN);
    });
    plain_ = Format([](lxw_format* f) {
      format_set_border(f, LXW_BORDER_THIN);
      format_set_align(f, LXW_ALIGN_CENTER);
    });
    derived_ = Format([](lxw_format* f) {
      format_set_bg_color(f, kDerivedFill);
      format_set_border(f, LXW_BORDER_THIN);
    });
    display_ = Format([](lxw_format* f) {
      format_set_bg_color(f, kHeadFill);
      format_set_border(f, LXW_BORDER_THIN);
      format_set_align(f, LXW_ALIGN_CENTER);
    });
    figure_ = Format([](lxw_format* f) {
      format_set_bg_color(f, kDerivedFill);
      format_set_border(f, LXW_BORDER_THIN);
      format_set_num_format(f, "0.000");
    });
  }

  void Close() {
    lxw_doc_properties properties{};
    properties.title = const_cast<char*>(kDocumentTitle.data());
    properties.author = const_cast<char*>(kDocumentAuthor.data());
    properties.created = kDocumentTime;
    workbook_set_properties(book_, &properties);
    const lxw_error error = workbook_close(book_);
    book_ = nullptr;
    if (error != LXW_NO_ERROR) throw std::runtime_error(lxw_strerror(error));
  }

  lxw_worksheet* Sheet(std::string_view name) {
    lxw_worksheet* sheet = workbook_add_worksheet(book_, std::string(name).c_str());
    sheets_[std::string(name)] = sheet;
    return sheet;
  }

  void Text(lxw_worksheet* sheet, int row, int column, std::string_view text,
            lxw_format* format = nullptr) {
    worksheet_write_string(sheet, static_cast<lxw_row_t>(row - 1),
                           static_cast<lxw_col_t>(column - 1), std::string(text).c_str(), format);
  }

  // Title in A1 and the explanation lines below it.
  void Explain(lxw_worksheet* sheet, std::string_view title,
               std::span<const std::string_view> lines) {
    Text(sheet, 1, 1, title, title_);
    int row = 2;
    for (std::string_view line : lines) Text(sheet, row++, 1, line, note_);
  }

  void Width(lxw_worksheet* sheet, int first, int last, double width) {
    worksheet_set_column(sheet, static_cast<lxw_col_t>(first - 1), static_cast<lxw_col_t>(last - 1),
                         width, nullptr);
  }

  // Draws the cells of every anchored name and defines the names.
  void PlaceNames() {
    for (const Anchor& anchor : TemplateAnchors()) {
      const NameSpec& name_spec = *anchor.name_spec;
      lxw_worksheet* sheet = sheets_.at(std::string(name_spec.sheet));
      lxw_format* format = FormatFor(name_spec);
      for (int r = 0; r < name_spec.rows; ++r) {
        for (int c = 0; c < name_spec.columns; ++c) {
          worksheet_write_blank(sheet, static_cast<lxw_row_t>(anchor.row + r - 1),
                                static_cast<lxw_col_t>(anchor.column + c - 1), format);
        }
      }
      std::string target =
          "=" + std::string(name_spec.sheet) + "!" + AbsoluteCell(anchor.row, anchor.column);
      if (name_spec.rows > 1 || name_spec.columns > 1) {
        target += ":" + AbsoluteCell(anchor.row + name_spec.rows - 1, anchor.column + name_spec.columns - 1);
      }
      const std::string name = name_spec.scope == Scope::kSheet
                                   ? std::string(name_spec.sheet) + "!" + std::string(name_spec.name)
                                   : std::string(name_spec.name);
      const lxw_error error = workbook_define_name(book_, name.c_str(), target.c_str());
      if (error != LXW_NO_ERROR) {
        throw std::runtime_error("cannot define " + name + ": " + lxw_strerror(error));
      }
    }
  }

  lxw_format* head() { return head_; }
  lxw_format* label() { return label_; }
  lxw_format* note() { return note_; }

 private:
  template <typename Setup>
  lxw_format* Format(Setup setup) {
    lxw_format* format = workbook_add_format(book_);
    setup(format);
    return format;
  }

  lxw_format* FormatFor(const NameSpec& name_spec) {
    if (name_spec.name == kStdDev.name) return figure_;
    switch (name_spec.role) {
      case Role::kDerived:
        return derived_;
      case Role::kDisplay:
        return display_;
      case Role::kProgram:
        return name_spec.name == kTimeTable.name ? plain_ : input_;
      case Role::kTyped:
        return name_spec.name == kTypeAbbrev.name ? plain_ : input_;
    }
    return input_;
  }

  lxw_workbook* book_ = nullptr;
  std::map<std::string, lxw_worksheet*> sheets_;
  lxw_format* title_;
  lxw_format* note_;
  lxw_format* label_;
  lxw_format* head_;
  lxw_format* input_;
  lxw_format* plain_;
  lxw_format* derived_;
  lxw_format* display_;
  lxw_format* figure_;
};

// Labels in column A beside single cells, and the headings of the tables.
void WriteLabels(TemplateWriter& w, const std::map<std::string_view, lxw_worksheet*>& s) {
  for (const SheetLabel& label : SheetLabels()) {
    w.Text(s.at(label.sheet), label.row, label.column, label.text,
           label.heading ? w.head() : w.label());
  }
}

void WriteSheets(TemplateWriter& w) {
  std::map<std::string_view, lxw_worksheet*> s;
  for (const SheetText& text : SheetTexts()) {
    lxw_worksheet* sheet = w.Sheet(text.sheet);
    s[text.sheet] = sheet;
    w.Explain(sheet, text.title, text.lines);
  }
  WriteLabels(w, s);

  w.Width(s[kSheetMain], 1, 1, 26);
  w.Width(s[kSheetMain], 2, 2, 2);
  w.Width(s[kSheetMain], 3, 3, 10);
  w.Width(s[kSheetMain], 4, 4, 60);

  w.Width(s[kSheetBasic], 1, 1, 22);
  w.Width(s[kSheetBasic], 2, 2, 14);
  w.Width(s[kSheetBasic], 3, 3, 8);
  w.Width(s[kSheetBasic], 4, 4, 2);
  w.Width(s[kSheetBasic], 5, 14, 6);
  w.Width(s[kSheetBasic], 17, 17, 14);
  w.Width(s[kSheetBasic], 18, 18, 8);

  w.Width(s[kSheetStaffing], 1, 1, 14);
  w.Width(s[kSheetStaffing], 2, 2, 12);
  w.Width(s[kSheetStaffing], 3, 33, kDayWidth);
  w.Width(s[kSheetStaffing], 34, 100, kDayWidth);

  w.Width(s[kSheetSchedule], 1, 1, 14);
  w.Width(s[kSheetSchedule], 2, 2, 12);
  w.Width(s[kSheetSchedule], 3, 3, 7);
  w.Width(s[kSheetSchedule], 4, 34, 6);
  w.Width(s[kSheetSchedule], 35, 35, 2);
  w.Width(s[kSheetSchedule], 36, 66, kDayWidth);

  w.Width(s[kSheetReservation], 1, 1, 14);
  w.Width(s[kSheetReservation], 2, 2, 12);
  w.Width(s[kSheetReservation], 3, 33, kDayWidth);

  w.Width(s[kSheetRoster], 1, 1, 6);
  w.Width(s[kSheetRoster], 2, 2, 12);
  w.Width(s[kSheetRoster], 3, 33, kDayWidth);
  w.Width(s[kSheetRoster], 34, 34, 2);
  w.Width(s[kSheetRoster], 35, 35, 24);
  w.Width(s[kSheetRoster], 36, 36, 8);
  // The roster prints on one landscape A4 page, member and date heads on every
  // page should a planner choose a larger scale.
  worksheet_set_landscape(s[kSheetRoster]);
  worksheet_set_paper(s[kSheetRoster], kPaperA4);
  worksheet_fit_to_pages(s[kSheetRoster], 1, 1);
  worksheet_repeat_rows(s[kSheetRoster], kRosterHeadFirstRow - 1, kRosterHeadLastRow - 1);
  worksheet_repeat_columns(s[kSheetRoster], 0, 1);
  // Every member row and the figures to the right; a run ends the area at the
  // last member, so the page is not shrunk for the empty rows.
  worksheet_print_area(s[kSheetRoster], 0, 0,
                       kRosterHeadLastRow - 1 + static_cast<lxw_row_t>(kTimeTable.rows), 35);

  w.Width(s[kSheetHistory], 1, 1, 22);
  w.Width(s[kSheetHistory], 2, 2, 12);
  w.Width(s[kSheetHistory], 3, 12, kDayWidth);
  w.Width(s[kSheetHistory], 14, 14, 6);
  w.Width(s[kSheetHistory], 15, 15, 12);
  w.Width(s[kSheetHistory], 16, 26, kDayWidth);

  w.Width(s[kSheetNameList], 1, 2, 14);
  w.Width(s[kSheetNameList], 3, 3, 60);
}

// xlsxwriter writes a plain workbook; the roster workbook is macro-enabled, which
// is only a matter of the workbook part's content type.
void MakeMacroEnabled(const std::filesystem::path& path) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), 0, &error);
  if (archive == nullptr) throw std::runtime_error("cannot reopen " + path.string());
  const zip_int64_t index = zip_name_locate(archive, "[Content_Types].xml", 0);
  std::string types;
  if (index >= 0) {
    zip_stat_t stat;
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0);
    if (file != nullptr &&
        zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) == 0) {
      types.resize(static_cast<std::size_t>(stat.size));
      const zip_int64_t read = zip_fread(file, types.data(), stat.size);
      types.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
    }
    if (file != nullptr) zip_fclose(file);
  }
  const auto at = types.find(kWorkbookContentType);
  if (at == std::string::npos) {
    zip_discard(archive);
    throw std::runtime_error("no workbook content type in " + path.string());
  }
  types.replace(at, kWorkbookContentType.size(), kMacroContentType);
  // The buffer must live until zip_close: keep it in this scope.
  zip_source_t* source = zip_source_buffer(archive, types.data(), types.size(), 0);
  if (source == nullptr ||
      zip_file_replace(archive, static_cast<zip_uint64_t>(index), source, ZIP_FL_ENC_UTF_8) < 0) {
    if (source != nullptr) zip_source_free(source);
    zip_discard(archive);
    throw std::runtime_error("cannot rewrite content types of " + path.string());
  }
  zip_file_set_mtime(archive, static_cast<zip_uint64_t>(index), kDocumentTime, 0);
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    throw std::runtime_error("cannot write " + path.string());
  }
}

}  // namespace

void WriteTemplatePackage(const std::filesystem::path& path) {
  TemplateWriter writer(path.string());
  WriteSheets(writer);
  writer.PlaceNames();
  writer.Close();
  MakeMacroEnabled(path);
}

}  // namespace tsumiki::layout
