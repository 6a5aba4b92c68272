#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/notice.h"
#include "workbook/cell_value.h"
#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

// A rectangle of cells on one sheet. Rows and columns are 1-based and inclusive.
struct CellRange {
  int sheet = 0;  // 0-based position in the workbook's sheet list
  int top = 1;
  int left = 1;
  int bottom = 1;
  int right = 1;

  int Rows() const { return bottom - top + 1; }
  int Columns() const { return right - left + 1; }
  int CellCount() const { return Rows() * Columns(); }
  bool operator==(const CellRange&) const = default;
};

// The four edges whose border colour the readjustment marks.
enum class Edge { kLeft, kRight, kTop, kBottom };

// Excel's legacy ColorIndex values that mean "no colour" and "automatic".
inline constexpr int kColorIndexNone = -4142;
inline constexpr int kColorIndexAutomatic = -4105;

// The three switches of the spreadsheet application that long loops turn off.
struct AppState {
  bool screen_updating = true;
  bool automatic_calculation = true;
  bool events = true;
  bool operator==(const AppState&) const = default;
};

// The cell the planner has selected (sheet window) or the program selected last.
struct Selection {
  int sheet = 0;
  CellRange range;
};

// The roster workbook, held in memory for the whole session.
//
// Opening reads the package once; every read and write works on memory; Save()
// writes the package back atomically (temporary file, fsync, rename) and keeps the
// previous file as "<name>.bak". Parts that were not changed are copied byte for
// byte (vbaProject.bin included).
//
// Derived cells: a recalculator (installed by the layout code, which knows the
// names) is run before any read when input cells changed since the last run, so
// every read sees current derived values. Writes made by the recalculator itself
// do not mark inputs as changed.
//
// Errors: every failure throws WorkbookError carrying the file, sheet, name and
// cell concerned; the workbook in memory is unchanged by a failed call.
class Workbook {
 public:
  // A macro tells what went wrong (the start day cannot be computed, the file
  // cannot be written) by its result; nullopt when it did its work.
  using Macro = std::function<std::optional<Notice>(Workbook&)>;
  using Recalculator = std::function<void(Workbook&)>;
  using ChangeListener = std::function<void(int sheet, int row, int column)>;
  // A cell as stored: its value, its format and whether it held a formula; enough
  // to put the cell back exactly as it was.
  struct CellState {
    CellValue value;
    std::uint32_t style = 0;
    bool formula = false;
    bool operator==(const CellState&) const = default;
  };
  using BeforeChangeListener =
      std::function<void(int sheet, int row, int column, const CellState& before)>;

  // Opens an .xlsx or .xlsm file. Throws WorkbookError (missing file, legacy .xls,
  // encrypted, not a zip, no workbook part, hostile sizes or paths).
  static std::unique_ptr<Workbook> Open(const std::filesystem::path& path);
  // Opens a package held in memory; `name` names it in messages. Save() needs a
  // SaveAs() first. Throws like Open.
  static std::unique_ptr<Workbook> OpenFromMemory(std::string bytes,
                                                  const std::filesystem::path& name);
  // A workbook with no sheets, to be built up by AddSheet and DefineName and
  // written with SaveAs. `macro_enabled` selects the .xlsm content type.
  static std::unique_ptr<Workbook> CreateEmpty(bool macro_enabled);

  ~Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  const std::filesystem::path& Path() const;
  // The application version text the session reports ("16.0").
  std::string Version() const { return "16.0"; }

  // --- Sheets ---------------------------------------------------------------
  int SheetCount() const;
  const std::string& SheetName(int sheet) const;
  // Matched without regard to case; nullopt when there is none.
  std::optional<int> FindSheet(std::string_view name) const;
  // Throws WorkbookError (kMissingSheet).
  int Sheet(std::string_view name) const;
  // Appends an empty worksheet. Throws WorkbookError (kBadValue) for a name Excel
  // would refuse or one already used (without regard to case).
  int AddSheet(std::string_view name);

  // --- Names ----------------------------------------------------------------
  // Sheet-level lookup: the sheet's own names first, then workbook-level names.
  CellRange SheetRange(std::string_view sheet, std::string_view name) const;
  // Workbook-level lookup (no sheet given).
  CellRange WorkbookRange(std::string_view name) const;
  // An A1-style address ("C1", "$A$1:$B$3") on a sheet.
  CellRange Address(std::string_view sheet, std::string_view a1) const;
  bool HasSheetRange(std::string_view sheet, std::string_view name) const;
  bool HasWorkbookRange(std::string_view name) const;
  // Defines (or redefines) a name; `local_sheet` makes it sheet-level.
  void DefineName(std::string_view name, const CellRange& range,
                  std::optional<int> local_sheet = std::nullopt);

  // --- Cells (sheet-absolute, 1-based) -------------------------------------
  CellValue Value(int sheet, int row, int column) const;
  // The text the cell shows under its number format.
  std::string DisplayText(int sheet, int row, int column) const;
  void SetValue(int sheet, int row, int column, const CellValue& value);

  // --- Cells relative to a range (1-based from its top-left) ---------------
  // Like Excel's Range.Cells(row, column), a position beyond the range is allowed.
  CellValue ReadCell(const CellRange& range, int row, int column) const;
  std::string ReadCellText(const CellRange& range, int row, int column) const;
  Table ReadRange(const CellRange& range) const;
  // The displayed texts of the range, row by row.
  std::vector<std::vector<std::string>> ReadGrid(const CellRange& range) const;
  void WriteCell(const CellRange& range, int row, int column, const CellValue& value);
  // Writes one value into every cell of the range.
  void WriteRange(const CellRange& range, const CellValue& value);
  // Writes a block; the table must have the range's shape.
  void WriteBlock(const CellRange& range, const Table& values);

  // --- Appearance (Excel's legacy ColorIndex numbers) ----------------------
  int InteriorColorIndex(int sheet, int row, int column) const;
  // kColorIndexNone removes the fill.
  void SetInteriorColorIndex(int sheet, int row, int column, int color_index);
  int BorderColorIndex(int sheet, int row, int column, Edge edge) const;
  // Sets the colour of all four edges (drawing a thin line where there was none).
  void SetBorderColorIndex(int sheet, int row, int column, int color_index);
  // The width of a column in characters as the file sets it, nullopt where the
  // sheet has no width of its own for it (the sheet window then uses its default).
  std::optional<double> ColumnWidth(int sheet, int column) const;

  // --- Application state, active sheet and selection ------------------------
  AppState GetAppState() const;
  // Each switch is changed only when it differs from the current value.
  void SetAppState(const AppState& state);
  void ActivateSheet(std::string_view name);
  int ActiveSheet() const;
  void SelectRange(std::string_view sheet, std::string_view a1);
  void Select(const CellRange& range);
  Selection CurrentSelection() const;

  // --- Macros -----------------------------------------------------------------
  // Macros are native procedures registered by name ("勤務Clear"). RunMacro accepts
  // the name with or without the "<workbook name>!" prefix. Unknown names throw.
  // RunMacro returns what the macro has to tell the planner.
  void RegisterMacro(std::string name, Macro macro);
  std::optional<Notice> RunMacro(std::string_view name);

  // --- Derived cells and observers -----------------------------------------
  void SetRecalculator(Recalculator recalculator);
  // Runs the recalculator now if inputs changed since its last run.
  void Recalculate() const;
  // Marks cells written by the recalculator; they are shown read-only.
  void MarkDerived(const CellRange& range);
  bool IsDerived(int sheet, int row, int column) const;
  // Called after every cell write (value or appearance), for the sheet window.
  void SetChangeListener(ChangeListener listener);
  // Called before every write of an input cell (value or appearance) with the cell
  // as it stands; the recalculator's own writes are not reported. For undo.
  void SetBeforeChangeListener(BeforeChangeListener listener);
  CellState StateOf(int sheet, int row, int column) const;
  // Puts a cell back as StateOf described it; reported like any other write.
  void RestoreState(int sheet, int row, int column, const CellState& state);

  // --- Saving -------------------------------------------------------------------
  bool IsModified() const;
  // Writes the package back to Path(); keeps the previous file as "<name>.bak".
  void Save();
  void SaveAs(const std::filesystem::path& path);
  // From now on Save (and CloseSession(true)) fails with `reason` as the detail
  // and writes nothing: the workbook was opened read-only.
  void RefuseSaves(std::string reason);
  // Ends the session: saves when `save` is set, then drops every change in memory.
  void CloseSession(bool save);
  // Called with the name of each step of a save ("write", "verify", "flush",
  // "backup", "rename"); throwing from it fails the save there. For tests.
  void SetSaveProbe(std::function<void(const char* step)> probe);

  // The store's internals, defined in workbook_impl.h and used only inside src/workbook.
  struct Impl;

 private:
  Workbook();
  std::unique_ptr<Impl> impl_;
};

}  // namespace tsumiki::workbook
