#include "workbook/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <system_error>

#include "workbook/store_messages.h"
#include "workbook/workbook_error.h"

namespace tsumiki::workbook {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void Fail(const fs::path& target, const char* detail, int error = 0) {
  std::string text = detail;
  if (error != 0) text.append("：").append(std::strerror(error));
  throw WorkbookError(WorkbookError::Kind::kSaveFailed, {target.filename().string(), {}, {}, {}},
                      text);
}

// The host name as a file name may carry it.
std::string SafeHostName() {
  std::array<char, 256> name{};
  if (::gethostname(name.data(), name.size() - 1) != 0 || name[0] == '\0') return "localhost";
  std::string host(name.data());
  for (char& c : host)
    if (c == '/' || c == '\\' || c == ',' || c == ';') c = '_';
  return host;
}

bool AllDigits(std::string_view text) {
  if (text.empty() || text.size() > 18) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

void WriteAll(int fd, std::string_view bytes, const fs::path& target) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      Fail(target, messages::kWriteTemp, errno);
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

// The new file takes over the old one's owner, group and mode. Giving a file away
// needs privileges: without them the owner stays ours, and the group too when we
// are not in the old one.
void TakeOverIdentity(int fd, const fs::path& real, const fs::path& target) {
  struct stat old {};
  if (::stat(real.c_str(), &old) == 0) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
      (void)ignored;
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) Fail(target, messages::kWriteTemp, errno);
    return;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) Fail(target, messages::kWriteTemp, errno);
}

// A hard link keeps the old version at no cost; a copy where links are not allowed.
void KeepBackup(const fs::path& real, const fs::path& target) {
  fs::path backup = real;
  backup += ".bak";
  ::unlink(backup.c_str());
  if (::link(real.c_str(), backup.c_str()) == 0) return;
  std::error_code error;
  fs::copy_file(real, backup, fs::copy_options::overwrite_existing, error);
  if (error) Fail(target, messages::kBackup);
}

// Creates the temporary file exclusively: never through a link or over a file
// someone else put there. A file of this very name can only be a leftover of this
// process number (ours, or a dead one's), so it is removed once.
int CreateTemporary(const fs::path& temp, const fs::path& target) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) return fd;
    if (errno != EEXIST || attempt > 0) Fail(target, messages::kWriteTemp, errno);
    ::unlink(temp.c_str());
  }
  Fail(target, messages::kWriteTemp);
}

}  // namespace

std::string ThisHost() {
  static const std::string host = SafeHostName();
  return host;
}

bool ProcessAlive(long pid) {
  if (pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

fs::path TemporaryPathFor(const fs::path& target) {
  std::string name(kTempPrefix);
  name.append(target.filename().string())
      .append(".")
      .append(ThisHost())
      .append(".")
      .append(std::to_string(::getpid()))
      .append(kTempSuffix);
  return target.parent_path() / name;
}

long TemporaryOwner(std::string_view name) {
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return -1;
  name.remove_suffix(kTempSuffix.size());
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return -1;
  const std::string_view pid = name.substr(dot + 1);
  name = name.substr(0, dot);
  const std::string host = "." + ThisHost();
  if (!AllDigits(pid) || !name.ends_with(host) || name.size() <= kTempPrefix.size() + host.size())
    return -1;
  return std::stol(std::string(pid));
}

int RemoveStaleTemporaries(const fs::path& folder) {
  int removed = 0;
  std::error_code error;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end;
       !error && it != end; it.increment(error)) {
    const long pid = TemporaryOwner(it->path().filename().string());
    if (pid < 0 || pid == static_cast<long>(::getpid()) || ProcessAlive(pid)) continue;
    if (::unlink(it->path().c_str()) == 0) ++removed;
  }
  return removed;
}

fs::path RealTarget(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
  const fs::path real = fs::canonical(path, error);
  return error ? path : real;
}

bool IsReadOnlyFile(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  if (::geteuid() == 0) return false;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT;
}

std::uintmax_t OtherLinks(const fs::path& path) {
  const fs::path real = RealTarget(path);
  struct stat info {};
  if (::stat(real.c_str(), &info) != 0 || info.st_nlink <= 1) return 0;
  std::uintmax_t others = info.st_nlink - 1;
  // A save that stopped between keeping the backup and the rename leaves the
  // backup as a second name of the workbook.
  fs::path backup = real;
  backup += ".bak";
  struct stat kept {};
  if (::stat(backup.c_str(), &kept) == 0 && kept.st_dev == info.st_dev &&
      kept.st_ino == info.st_ino)
    --others;
  return others;
}

FileStamp StampOf(const fs::path& path) {
  struct stat info {};
  FileStamp stamp;
  if (::stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<std::uintmax_t>(info.st_size);
  stamp.modified_ns = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 +
                      static_cast<std::int64_t>(info.st_mtim.tv_nsec);
  stamp.device = static_cast<std::uintmax_t>(info.st_dev);
  stamp.inode = static_cast<std::uintmax_t>(info.st_ino);
  return stamp;
}

void ReplaceFile(const fs::path& target, std::string_view bytes, const ReplaceSteps& steps) {
  const fs::path real = RealTarget(target);
  if (IsReadOnlyFile(real)) Fail(target, messages::kReadOnly);
  fs::path folder = real.parent_path();
  if (folder.empty()) folder = ".";
  const fs::path temp = TemporaryPathFor(real);
  const auto step = [&](const char* name) {
    if (steps.probe) steps.probe(name);
  };
  int fd = CreateTemporary(temp, target);
  try {
    step("write");
    WriteAll(fd, bytes, target);
    TakeOverIdentity(fd, real, target);
    step("flush");
    if (::fsync(fd) != 0) Fail(target, messages::kWriteTemp, errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) Fail(target, messages::kWriteTemp, errno);
    step("verify");
    if (steps.verify) steps.verify(temp);
    if (steps.before_rename) steps.before_rename();
    step("backup");
    if (steps.keep_backup && fs::exists(real)) KeepBackup(real, target);
    step("rename");
    if (::rename(temp.c_str(), real.c_str()) != 0) Fail(target, messages::kRename, errno);
  } catch (const WorkbookError&) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    throw;
  } catch (const std::exception&) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    Fail(target, messages::kWriteTemp);
  }
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

}  // namespace tsumiki::workbook
