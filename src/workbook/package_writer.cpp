#include "workbook/package_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "workbook/file_replace.h"
#include "workbook/store_messages.h"
#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

namespace {

[[noreturn]] void Fail(const std::filesystem::path& target, const char* detail, int error = 0) {
  std::string text = detail;
  if (error != 0) text.append("：").append(std::strerror(error));
  throw WorkbookError(WorkbookError::Kind::kSaveFailed, {target.filename().string(), {}, {}, {}},
                      text);
}

// MS-DOS date of 1 January 1980: day 1, month 1, year 0.
constexpr zip_uint16_t kDosDate1980 = (1 << 5) | 1;

// Builds the package in memory: libzip then leaves no temporary file of its own
// behind when the process is killed.
std::string BuildZip(const PackagePlan& plan, const std::filesystem::path& target) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  zip_error_fini(&error);
  if (buffer == nullptr) Fail(target, messages::kWriteTemp);
  zip_source_keep(buffer);
  struct Release {
    zip_source_t* source;
    ~Release() { zip_source_free(source); }
  } release{buffer};
  zip_error_init(&error);
  zip_t* out = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  zip_error_fini(&error);
  if (out == nullptr) Fail(target, messages::kWriteTemp);
  // Parts we write carry the time 1980-01-01 00:00, as office programs write them,
  // so that the same workbook always gives the same bytes.
  auto add = [&](const std::string& name, zip_source_t* source, bool ours) {
    const zip_int64_t index = source == nullptr ? -1
                                                : zip_file_add(out, name.c_str(), source,
                                                               ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
    if (index < 0 || (ours && zip_file_set_dostime(out, static_cast<zip_uint64_t>(index), 0,
                                                   kDosDate1980, 0) < 0)) {
      if (index < 0 && source != nullptr) zip_source_free(source);
      zip_discard(out);
      Fail(target, messages::kWriteTemp);
    }
  };
  std::vector<std::string> written;
  if (plan.source != nullptr) {
    for (const std::string& name : plan.source->Names()) {
      if (std::find(plan.removed.begin(), plan.removed.end(), name) != plan.removed.end()) continue;
      auto replaced = plan.replaced.find(name);
      if (replaced != plan.replaced.end()) {
        add(name, zip_source_buffer(out, replaced->second.data(), replaced->second.size(), 0),
            true);
      } else {
        auto index = static_cast<zip_uint64_t>(plan.source->Index(name));
        add(name, zip_source_zip(out, plan.source->Handle(), index, 0, 0, -1), false);
      }
      written.push_back(name);
    }
  }
  for (const auto& [name, bytes] : plan.replaced) {
    if (std::find(written.begin(), written.end(), name) != written.end()) continue;
    add(name, zip_source_buffer(out, bytes.data(), bytes.size(), 0), true);
  }
  if (zip_close(out) != 0) {
    zip_discard(out);
    Fail(target, messages::kWriteTemp);
  }
  std::string bytes;
  if (zip_source_open(buffer) < 0) Fail(target, messages::kWriteTemp);
  char chunk[1 << 16];
  zip_int64_t got = 0;
  while ((got = zip_source_read(buffer, chunk, sizeof chunk)) > 0)
    bytes.append(chunk, static_cast<std::size_t>(got));
  zip_source_close(buffer);
  if (got < 0) Fail(target, messages::kWriteTemp);
  return bytes;
}

std::string ReadBack(const std::string& temp, const std::filesystem::path& target) {
  std::ifstream in(temp, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) Fail(target, messages::kVerify);
  return bytes;
}

void Verify(const PackagePlan& plan, const std::string& bytes,
            const std::filesystem::path& target) {
  try {
    ZipReader check(bytes, target.filename().string());
    for (const auto& [name, content] : plan.replaced)
      if (check.Read(name) != content) Fail(target, messages::kVerify);
  } catch (const WorkbookError& error) {
    if (error.kind() == WorkbookError::Kind::kSaveFailed) throw;
    Fail(target, messages::kVerify);
  }
}

}  // namespace

std::string WritePackageAtomically(const PackagePlan& plan, const std::filesystem::path& target,
                                   const std::function<void(const char*)>& probe,
                                   const std::function<void()>& before_rename) {
  std::string bytes;
  try {
    bytes = BuildZip(plan, target);
  } catch (const WorkbookError&) {
    throw;
  } catch (const std::exception&) {
    Fail(target, messages::kWriteTemp);
  }
  Verify(plan, bytes, target);
  ReplaceSteps steps;
  steps.probe = probe;
  steps.verify = [&](const std::filesystem::path& temp) {
    if (ReadBack(temp.string(), target) != bytes) Fail(target, messages::kVerify);
  };
  steps.before_rename = before_rename;
  steps.keep_backup = true;
  ReplaceFile(target, bytes, steps);
  return bytes;
}

}  // namespace tsumiki::workbook
