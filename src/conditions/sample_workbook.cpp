#include "conditions/sample_workbook.h"

#include <system_error>

#include "conditions/derived_names.h"
#include "conditions/sample_template.h"

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

}  // namespace tsumiki::layout
