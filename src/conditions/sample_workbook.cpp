#include "conditions/sample_workbook.h"

#include <system_error>

#include "conditions/derived_names.h"
#include "conditions/sample_template.h"

// Set by packaging/CMakeLists.txt; the default keeps other builds working.
#ifndef TSUMIKI_DATA_DIR
#define TSUMIKI_DATA_DIR "/usr/local/share/tsumiki"
#endif

namespace tsumiki::layout {
namespace {

// Writes the template next to the target, lets the store fill it and compute the
// derived cells, and saves under the target's name. The template file is removed
// whatever happens.
template <typename Fill>
void WriteThroughStore(const std::filesystem::path& path, Fill fill) {
  std::filesystem::path draft = path;
  draft += ".draft.xlsm";
  struct Cleanup {
    std::filesystem::path file;
    ~Cleanup() {
      std::error_code ignored;
      std::filesystem::remove(file, ignored);
    }
  } cleanup{draft};
  WriteTemplatePackage(draft);
  auto book = workbook::Workbook::Open(draft);
  InstallDerivedNames(*book);
  fill(*book);
  book->Recalculate();
  book->SaveAs(path);
}

}  // namespace

void WriteBlankWorkbook(const std::filesystem::path& path) {
  WriteThroughStore(path, [](workbook::Workbook& book) { FillRunSettings(book); });
}

void WriteSampleWorkbook(const std::filesystem::path& path) {
  WriteThroughStore(path, [](workbook::Workbook& book) { FillSampleConditions(book); });
}

std::filesystem::path InstalledSamplePath() {
  return std::filesystem::path(TSUMIKI_DATA_DIR) / "shift.xlsm";
}

void CreateSampleWorkbook(const std::filesystem::path& path,
                          const std::filesystem::path& installed) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(installed, ec)) {
    WriteSampleWorkbook(path);
    return;
  }
  std::filesystem::copy_file(installed, path, std::filesystem::copy_options::none);
  // The installed file is read-only for the planner; the copy is theirs to edit.
  std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add, ec);
}

}  // namespace tsumiki::layout
