#include "check/export_file.h"

#include <system_error>

#include "conditions/layout.h"
#include "workbook/file_replace.h"
#include "workbook/workbook_error.h"

namespace tsumiki {
namespace {

namespace fs = std::filesystem;

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  if (fs::exists(a, ec) && fs::exists(b, ec)) return fs::equivalent(a, b, ec);
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

}  // namespace

std::string WriteExportFile(const fs::path& target, std::string_view bytes,
                            const fs::path& workbook) {
  const std::string shown = target.string();
  if (!workbook.empty() && SameFile(target, workbook))
    return layout::Format(kExportIsWorkbook, {shown});
  try {
    workbook::ReplaceFile(target, bytes, {});
  } catch (const workbook::WorkbookError& error) {
    return layout::Format(kExportWriteFailed, {shown, error.detail()});
  }
  return {};
}

}  // namespace tsumiki
