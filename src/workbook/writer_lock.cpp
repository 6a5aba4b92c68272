#include "workbook/writer_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <utility>
#include <vector>

#include "workbook/file_replace.h"

namespace tsumiki::workbook {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kOurName = "ツミキ";
constexpr std::string_view kPidLead = "pid:";
constexpr std::size_t kMaxLockBytes = 4096;

std::string UserName() {
  if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name != nullptr)
    return entry->pw_name;
  return std::to_string(::geteuid());
}

std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  std::array<char, 32> text{};
  std::strftime(text.data(), text.size(), "%d.%m.%Y %H:%M", &local);
  return text.data();
}

void AppendField(std::string& out, std::string_view field) {
  for (char c : field) {
    if (c == ',' || c == ';' || c == '\\') out.push_back('\\');
    out.push_back(c);
  }
}

std::string ReadSmall(int fd) {
  std::string text;
  std::array<char, 512> chunk{};
  off_t offset = 0;
  while (text.size() < kMaxLockBytes) {
    const ssize_t got = ::pread(fd, chunk.data(), chunk.size(), offset);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    text.append(chunk.data(), static_cast<std::size_t>(got));
    offset += got;
  }
  return text;
}

bool SameFile(int fd, const fs::path& path) {
  struct stat open_file {};
  struct stat named {};
  return ::fstat(fd, &open_file) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         open_file.st_dev == named.st_dev && open_file.st_ino == named.st_ino;
}

// {0}: the workbook, {1}: the holder, {2}: the lock file.
std::string HeldMessage(const fs::path& workbook, const std::optional<LockOwner>& owner,
                        const fs::path& lock) {
  std::string holder = "不明";
  if (owner) {
    holder = owner->name.empty() ? owner->user : owner->name;
    if (!owner->user.empty() || !owner->host.empty())
      holder.append("、").append(owner->user).append("@").append(owner->host);
    if (!owner->date.empty()) holder.append("、").append(owner->date).append(" から");
  }
  return "ブック「" + workbook.filename().string() +
         "」は別のプログラムが書き込み用に開いています（" + holder +
         "）。そちらが終わってからもう一度実行してください。開いているプログラムがないときは、"
         "ロックファイル「" +
         lock.string() + "」を削除してください。";
}

std::string CannotLockMessage(const fs::path& workbook, const fs::path& lock, int error) {
  return "ブック「" + workbook.filename().string() + "」のロックファイル「" + lock.string() +
         "」を作れません（" + std::strerror(error) +
         "）。ブックのフォルダに書き込めるかを確かめてください。";
}

}  // namespace

std::optional<long> LockOwner::Pid() const {
  if (!url.starts_with(kPidLead)) return std::nullopt;
  const std::string_view digits = std::string_view(url).substr(kPidLead.size());
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  long pid = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

fs::path LockFilePath(const fs::path& workbook) {
  return workbook.parent_path() / (".~lock." + workbook.filename().string() + "#");
}

std::string LockContents(const LockOwner& owner) {
  std::string out;
  for (const std::string* field : {&owner.name, &owner.user, &owner.host, &owner.date}) {
    AppendField(out, *field);
    out.push_back(',');
  }
  AppendField(out, owner.url);
  out.push_back(';');
  return out;
}

std::optional<LockOwner> ParseLockContents(std::string_view text) {
  std::vector<std::string> fields(1);
  bool ended = false;
  for (std::size_t i = 0; i < text.size() && !ended; ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      fields.back().push_back(text[++i]);
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == ';') {
      ended = true;
    } else {
      fields.back().push_back(c);
    }
  }
  if (!ended || fields.size() < 5) return std::nullopt;
  return LockOwner{fields[0], fields[1], fields[2], fields[3], fields[4]};
}

bool IsStale(const LockOwner& owner) {
  const std::optional<long> pid = owner.Pid();
  return pid && owner.host == ThisHost() && !ProcessAlive(*pid);
}

void RemoveStaleLock(const fs::path& workbook) {
  const fs::path path = LockFilePath(workbook);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && SameFile(fd, path)) {
    const std::optional<LockOwner> owner = ParseLockContents(ReadSmall(fd));
    if (owner && IsStale(*owner)) ::unlink(path.c_str());
  }
  ::close(fd);
}

WriterLock::WriterLock(WriterLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

WriterLock& WriterLock::operator=(WriterLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

std::optional<WriterLock> WriterLock::TryLock(const fs::path& workbook, std::string& refusal) {
  const fs::path path = LockFilePath(workbook);
  // A few rounds only for the moment when a holder removes the file we opened.
  for (int round = 0; round < 3; ++round) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
      refusal = CannotLockMessage(workbook, path, errno);
      return std::nullopt;
    }
    // A live process of ours holds the flock for as long as it holds the lock.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      refusal = HeldMessage(workbook, ParseLockContents(ReadSmall(fd)), path);
      ::close(fd);
      return std::nullopt;
    }
    if (!SameFile(fd, path)) {
      ::close(fd);
      continue;
    }
    const std::string text = ReadSmall(fd);
    const std::optional<LockOwner> owner = ParseLockContents(text);
    // An empty file is one whose writer died before it wrote, or one that another
    // process just created and has not locked yet: whoever holds the flock takes it.
    const bool free = text.empty() || (owner && IsStale(*owner));
    if (!free || (::fcntl(fd, F_GETFL) & O_ACCMODE) == O_RDONLY) {
      refusal = HeldMessage(workbook, owner, path);
      ::close(fd);
      return std::nullopt;
    }
    const std::string ours = LockContents({std::string(kOurName), UserName(), ThisHost(), Now(),
                                           std::string(kPidLead) + std::to_string(::getpid())});
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, ours.data(), ours.size(), 0) != static_cast<ssize_t>(ours.size()) ||
        ::fsync(fd) != 0) {
      const int error = errno;
      ::close(fd);
      refusal = CannotLockMessage(workbook, path, error);
      return std::nullopt;
    }
    return WriterLock(fd, path);
  }
  refusal = HeldMessage(workbook, std::nullopt, path);
  return std::nullopt;
}

void WriterLock::Release() {
  if (fd_ < 0) return;
  // Removed while still flocked, so nobody takes over a file on its way out.
  if (SameFile(fd_, path_)) ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
}

}  // namespace tsumiki::workbook
