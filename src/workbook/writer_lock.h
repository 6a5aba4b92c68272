#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// One writer at a time. Before a program writes a workbook it takes the lock file
// that office programs use, ".~lock.<name>#" beside the workbook, holding
// "<name>,<user>,<host>,<date>,<url>;" (LibreOffice's form); so those programs
// see the workbook in use, and we see theirs. Ours records our process number and
// its start time in the last field ("pid:1234/5678", the start in clock ticks
// after boot), so that a lock left by a dead process whose number now belongs to
// another live one is still known for stale. While a process of ours holds the lock it also
// keeps an flock(2) on the file, so that two processes never both take over the
// lock of one that died.
namespace tsumiki::workbook {

// Who holds a lock, as its file says.
struct LockOwner {
  std::string name;  // the program or person, as shown to the planner
  std::string user;
  std::string host;
  std::string date;  // "dd.mm.yyyy hh:mm"
  std::string url;   // ours: "pid:<number>" or "pid:<number>/<start time>"
  // The process number of a lock of ours; nullopt for another program's.
  std::optional<long> Pid() const;
  // The start time its process recorded; nullopt when it wrote none.
  std::optional<unsigned long long> StartTime() const;
};

std::filesystem::path LockFilePath(const std::filesystem::path& workbook);
std::string LockContents(const LockOwner& owner);
// nullopt when the text is not a lock file's.
std::optional<LockOwner> ParseLockContents(std::string_view text);
// The start time of a process on this machine, in clock ticks after boot
// (/proc/PID/stat, field 22); nullopt when it cannot be read.
std::optional<unsigned long long> ProcessStartTime(long pid);

// A lock of ours whose process on this host has ended, or whose number now
// belongs to a process started at another time. Another program's lock, or
// one taken on another host, is never stale: we cannot tell.
bool IsStale(const LockOwner& owner);

// Removes the lock file of `workbook` when it is stale (a start-up that leaves no
// lock of a dead process for other programs to trip over). Never touches a lock
// that a live process holds or is taking over.
void RemoveStaleLock(const std::filesystem::path& workbook);

class WriterLock {
 public:
  WriterLock() = default;
  ~WriterLock() { Release(); }
  WriterLock(WriterLock&& other) noexcept;
  WriterLock& operator=(WriterLock&& other) noexcept;
  WriterLock(const WriterLock&) = delete;
  WriterLock& operator=(const WriterLock&) = delete;

  // Takes the lock of `workbook` (a path with its links resolved), taking over a
  // stale one. On refusal returns nullopt and sets `refusal` to the Japanese
  // message naming the holder.
  static std::optional<WriterLock> TryLock(const std::filesystem::path& workbook,
                                           std::string& refusal);
  // Removes the lock file if it is still ours. Safe to call twice.
  void Release();
  bool Held() const { return fd_ >= 0; }

 private:
  WriterLock(int fd, std::filesystem::path path) : fd_(fd), path_(std::move(path)) {}
  int fd_ = -1;
  std::filesystem::path path_;
};

}  // namespace tsumiki::workbook
