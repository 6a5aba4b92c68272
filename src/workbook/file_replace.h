#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Replacing a file on disk so that a crash or a kill at any moment leaves either
// the old or the new file whole, next to nothing else that lasts: the new bytes go
// into a temporary file of ours beside the real target, which is then renamed over
// it. Temporary files are named ".~tsumiki-<target name>.<host>.<pid>.tmp", so
// that a later start on this host recognises those whose process has died and
// removes them.
namespace tsumiki::workbook {

inline constexpr std::string_view kTempPrefix = ".~tsumiki-";
inline constexpr std::string_view kTempSuffix = ".tmp";

// This machine's name as temporary and lock files record it.
std::string ThisHost();
// False only when no process of this number runs on this machine.
bool ProcessAlive(long pid);

// Where this process writes the temporary file that replaces `target`.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);
// The process number of a temporary file of ours written on this host, or -1.
long TemporaryOwner(std::string_view file_name);
// Removes from `folder` the temporary files of ours whose process on this host has
// ended. Returns how many were removed; failures are ignored.
int RemoveStaleTemporaries(const std::filesystem::path& folder);

// The file a save must replace: the end of a chain of symbolic links, so that the
// link stays a link; `path` itself when it is no link or the chain is broken.
std::filesystem::path RealTarget(const std::filesystem::path& path);
// True when the file exists and this user may not write it: access(2) with the
// effective ids, so that a file of another owner in a folder of ours is not
// replaced by one of ours. For root, whom access(2) lets write anything, the mode
// bits decide: a file that nobody may write is meant to stay as it is, while one
// its owner may write is saved for them (and keeps its owner).
bool IsReadOnlyFile(const std::filesystem::path& path);
// Names of the file besides `path` (hard links), not counting its own backup;
// a save replaces only the name it was given, so the others keep the old version.
std::uintmax_t OtherLinks(const std::filesystem::path& path);

// Identity and state of a file as last seen: another program's save changes at
// least one of them.
struct FileStamp {
  bool exists = false;
  std::uintmax_t size = 0;
  std::int64_t modified_ns = 0;
  std::uintmax_t device = 0;
  std::uintmax_t inode = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::filesystem::path& path);

struct ReplaceSteps {
  // Called with each step's name ("write", "verify", "flush", "backup",
  // "rename"); tests throw from it.
  std::function<void(const char*)> probe;
  // Reads the temporary file back and throws when it is not what was meant.
  std::function<void(const std::filesystem::path& temporary)> verify;
  // Last check before the rename (the file was not changed by someone else).
  std::function<void()> before_rename;
  // Keep the replaced version as "<target>.bak".
  bool keep_backup = false;
};

// Writes `bytes` over the real target of `target` (see RealTarget). The new file
// gets the old one's owner, group and mode (a new file the umask's mode), and is
// flushed before the rename; the folder is flushed after it. A read-only target is
// refused. Throws WorkbookError (kSaveFailed, naming `target`) and leaves the
// target and the folder as they were.
void ReplaceFile(const std::filesystem::path& target, std::string_view bytes,
                 const ReplaceSteps& steps);

}  // namespace tsumiki::workbook
