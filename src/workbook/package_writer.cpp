#include "workbook/package_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

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

void WriteZip(const PackagePlan& plan, const std::string& temp,
              const std::filesystem::path& target) {
  int error_code = 0;
  zip_t* out = zip_open(temp.c_str(), ZIP_TRUNCATE, &error_code);
  if (out == nullptr) Fail(target, messages::kWriteTemp);
  auto add = [&](const std::string& name, zip_source_t* source) {
    if (source == nullptr ||
        zip_file_add(out, name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
      if (source != nullptr) zip_source_free(source);
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
        add(name, zip_source_buffer(out, replaced->second.data(), replaced->second.size(), 0));
      } else {
        auto index = static_cast<zip_uint64_t>(plan.source->Index(name));
        add(name, zip_source_zip(out, plan.source->Handle(), index, 0, 0, -1));
      }
      written.push_back(name);
    }
  }
  for (const auto& [name, bytes] : plan.replaced) {
    if (std::find(written.begin(), written.end(), name) != written.end()) continue;
    add(name, zip_source_buffer(out, bytes.data(), bytes.size(), 0));
  }
  if (zip_close(out) != 0) {
    zip_discard(out);
    Fail(target, messages::kWriteTemp);
  }
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

mode_t TargetMode(const std::filesystem::path& target) {
  struct stat info;
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void KeepBackup(const std::filesystem::path& target) {
  std::filesystem::path backup = target;
  backup += ".bak";
  ::unlink(backup.c_str());
  if (::link(target.c_str(), backup.c_str()) == 0) return;
  std::error_code error;
  std::filesystem::copy_file(target, backup, std::filesystem::copy_options::overwrite_existing,
                             error);
  if (error) Fail(target, messages::kBackup);
}

}  // namespace

std::string WritePackageAtomically(const PackagePlan& plan, const std::filesystem::path& target,
                                   const std::function<void(const char*)>& probe) {
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string temp =
      (folder / std::string(".").append(target.filename().string()).append(".XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) Fail(target, messages::kWriteTemp, errno);
  ::close(fd);
  try {
    auto step = [&](const char* name) {
      if (probe) probe(name);
    };
    step("write");
    WriteZip(plan, temp, target);
    step("verify");
    std::string bytes = ReadBack(temp, target);
    Verify(plan, bytes, target);
    step("flush");
    fd = ::open(temp.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) Fail(target, messages::kWriteTemp, errno);
    bool synced = ::fchmod(fd, TargetMode(target)) == 0 && ::fsync(fd) == 0;
    int sync_error = errno;
    ::close(fd);
    if (!synced) Fail(target, messages::kWriteTemp, sync_error);
    step("backup");
    if (std::filesystem::exists(target)) KeepBackup(target);
    step("rename");
    if (::rename(temp.c_str(), target.c_str()) != 0) Fail(target, messages::kRename, errno);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
    return bytes;
  } catch (const WorkbookError&) {
    ::unlink(temp.c_str());
    throw;
  } catch (const std::exception&) {
    ::unlink(temp.c_str());
    Fail(target, messages::kWriteTemp);
  }
}

}  // namespace tsumiki::workbook
