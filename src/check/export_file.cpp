#include "check/export_file.h"

#include "conditions/layout.h"
#include "workbook/file_replace.h"
#include "workbook/output_target.h"
#include "workbook/workbook_error.h"

namespace tsumiki {

namespace fs = std::filesystem;

std::string WriteExportFile(const fs::path& target, std::string_view bytes,
                            const fs::path& workbook) {
  const std::string shown = target.string();
  if (const auto refusal = workbook::OutputRefusal(target, workbook)) return *refusal;
  try {
    workbook::ReplaceFile(target, bytes, {});
  } catch (const workbook::WorkbookError& error) {
    return layout::Format(kExportWriteFailed, {shown, error.detail()});
  }
  return {};
}

}  // namespace tsumiki
