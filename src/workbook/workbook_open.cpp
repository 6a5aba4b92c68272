#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "workbook/store_messages.h"
#include "workbook/workbook_impl.h"

namespace tsumiki::workbook {

namespace {

constexpr std::uintmax_t kMaxFileBytes = 512u << 20;

std::string ReadWholeFile(const std::filesystem::path& path) {
  using Kind = WorkbookError::Kind;
  WorkbookError::Place place{path.filename().string(), {}, {}, {}};
  std::error_code error;
  auto status = std::filesystem::status(path, error);
  if (error || !std::filesystem::exists(status)) throw WorkbookError(Kind::kFileNotFound, place);
  if (!std::filesystem::is_regular_file(status)) throw WorkbookError(Kind::kNotAPackage, place);
  std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw WorkbookError(Kind::kNotAPackage, place, messages::kReadFile);
  if (size > kMaxFileBytes)
    throw WorkbookError(Kind::kUnsafePackage, place, messages::kEntryTooLarge);
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    bool denied = errno == EACCES || errno == EPERM;
    throw WorkbookError(denied ? Kind::kUnreadable : Kind::kNotAPackage, place,
                        messages::kReadFile);
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) throw WorkbookError(Kind::kNotAPackage, place, messages::kReadFile);
  return bytes;
}

}  // namespace

Workbook::Workbook() = default;
Workbook::~Workbook() = default;

std::unique_ptr<Workbook> Workbook::Open(const std::filesystem::path& path) {
  std::string bytes = ReadWholeFile(path);
  std::unique_ptr<Workbook> workbook(new Workbook());
  workbook->impl_ = LoadPackage(std::move(bytes), path);
  Impl& impl = *workbook->impl_;
  impl.on_disk = true;
  impl.disk_stamp = StampOf(path);
  return workbook;
}

std::unique_ptr<Workbook> Workbook::OpenFromMemory(std::string bytes,
                                                   const std::filesystem::path& name) {
  std::unique_ptr<Workbook> workbook(new Workbook());
  workbook->impl_ = LoadPackage(std::move(bytes), name);
  return workbook;
}

std::unique_ptr<Workbook> Workbook::CreateEmpty(bool macro_enabled) {
  std::unique_ptr<Workbook> workbook(new Workbook());
  workbook->impl_ = LoadPackage(EmptyPackageBytes(macro_enabled), {});
  return workbook;
}

const std::filesystem::path& Workbook::Path() const {
  return impl_->path;
}

WorkbookError::Place Workbook::Impl::PlaceOf(int sheet, int row, int column) const {
  WorkbookError::Place place{FileLabel(), {}, {}, {}};
  if (sheet >= 0 && sheet < static_cast<int>(sheets.size()))
    place.sheet = sheets[static_cast<size_t>(sheet)].name;
  if (row >= 1 && column >= 1 && row <= kMaxRows && column <= kMaxColumns)
    place.cell = CellName(row, column);
  else if (row != 0 || column != 0)
    place.cell =
        std::string("R").append(std::to_string(row)).append("C").append(std::to_string(column));
  return place;
}

void Workbook::Impl::EnsureSheet(int sheet) const {
  if (sheet < 0 || sheet >= static_cast<int>(sheets.size()))
    throw WorkbookError(WorkbookError::Kind::kMissingSheet,
                        {FileLabel(), std::string("#").append(std::to_string(sheet + 1)), {}, {}});
}

void Workbook::Impl::RebuildNameIndex() {
  name_index.clear();
  for (size_t i = 0; i < names.size(); ++i) name_index[LookupKey(names[i].name)].push_back(i);
}

void Workbook::Impl::MarkCellsChanged() {
  modified = true;
  cells_changed = true;
  if (!recalculating) inputs_changed = true;
}

// --- Sheets -----------------------------------------------------------------

int Workbook::SheetCount() const {
  return static_cast<int>(impl_->sheets.size());
}

const std::string& Workbook::SheetName(int sheet) const {
  impl_->EnsureSheet(sheet);
  return impl_->sheets[static_cast<size_t>(sheet)].name;
}

std::optional<int> Workbook::FindSheet(std::string_view name) const {
  std::string key = LookupKey(name);
  for (size_t i = 0; i < impl_->sheets.size(); ++i)
    if (LookupKey(impl_->sheets[i].name) == key) return static_cast<int>(i);
  return std::nullopt;
}

int Workbook::Sheet(std::string_view name) const {
  if (auto sheet = FindSheet(name)) return *sheet;
  throw WorkbookError(WorkbookError::Kind::kMissingSheet,
                      {impl_->FileLabel(), std::string(name), {}, {}});
}

}  // namespace tsumiki::workbook
