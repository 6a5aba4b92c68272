#include "workbook/writer_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
constexpr char kStartLead = '/';
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

namespace {

std::optional<unsigned long long> Digits(std::string_view digits) {
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  unsigned long long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned long long>(c - '0');
  }
  return value;
}

}  // namespace

std::optional<long> LockOwner::Pid() const {
  if (!url.starts_with(kPidLead)) return std::nullopt;
  const std::string_view rest = std::string_view(url).substr(kPidLead.size());
  const auto pid = Digits(rest.substr(0, rest.find(kStartLead)));
  if (!pid) return std::nullopt;
  return static_cast<long>(*pid);
}

std::optional<unsigned long long> LockOwner::StartTime() const {
  if (!Pid()) return std::nullopt;
  const std::size_t lead = url.find(kStartLead);
  if (lead == std::string::npos) return std::nullopt;
  return Digits(std::string_view(url).substr(lead + 1));
}

std::optional<unsigned long long> ProcessStartTime(long pid) {
  if (pid <= 0) return std::nullopt;
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  const std::string text = ReadSmall(fd);
  ::close(fd);
  // The command name in parentheses may hold anything: fields count from the last ')'.
  const std::size_t name_end = text.rfind(')');
  if (name_end == std::string::npos) return std::nullopt;
  std::size_t at = name_end + 1;
  for (int field = 3; field <= 22; ++field) {
    at = text.find_first_not_of(' ', at);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (field == 22) return Digits(std::string_view(text).substr(at, end - at));
    at = end;
  }
  return std::nullopt;
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
  if (!pid || owner.host != ThisHost()) return false;
  if (!ProcessAlive(*pid)) return true;
  const auto recorded = owner.StartTime();
  const auto now = recorded ? ProcessStartTime(*pid) : std::nullopt;
  return now && *now != *recorded;
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
    // Only to read who holds a lock we may not write; when there is none, the
    // reason to tell is why it could not be made.
    const int create_error = errno;
    if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
      refusal = CannotLockMessage(workbook, path, errno == ENOENT ? create_error : errno);
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
    std::string url = std::string(kPidLead) + std::to_string(::getpid());
    if (const auto start = ProcessStartTime(::getpid())) url += kStartLead + std::to_string(*start);
    const std::string ours =
        LockContents({std::string(kOurName), UserName(), ThisHost(), Now(), std::move(url)});
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
