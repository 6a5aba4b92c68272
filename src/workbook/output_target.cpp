#include "workbook/output_target.h"

#include <sys/stat.h>

#include <string_view>
#include <system_error>

#include "workbook/file_replace.h"
#include "workbook/writer_lock.h"

namespace tsumiki::workbook {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kIsInput =
    "」は読み込んだブックそのものです。ブックを上書きしないよう、別のファイル名を指定してください"
    "。";
constexpr std::string_view kIsFolder = "」はフォルダです。ファイル名まで指定してください。";
constexpr std::string_view kNotRegular =
    "」は通常のファイルではありません（装置などです）。別のファイル名を指定してください。";
constexpr std::string_view kLocked =
    "」は別のプログラムが書き込み用に開いています。そちらで閉じてからもう一度実行するか、"
    "別のファイル名を指定してください。";

std::string Quote(const fs::path& path, std::string_view tail) {
  return "「" + path.string() + std::string(tail);
}

// A lock file beside the name, or beside the file its links lead to, that is not a
// leftover of a dead process of ours.
bool HeldByAnotherProgram(const fs::path& name) {
  for (const fs::path& file : {name, RealTarget(name)}) {
    RemoveStaleLock(file);
    std::error_code error;
    if (fs::exists(fs::symlink_status(LockFilePath(file), error))) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> OutputRefusal(const fs::path& target, const fs::path& input) {
  struct stat out {};
  if (::stat(target.c_str(), &out) != 0) return std::nullopt;  // a new file
  if (S_ISDIR(out.st_mode)) return Quote(target, kIsFolder);
  if (!S_ISREG(out.st_mode)) return Quote(target, kNotRegular);
  struct stat in {};
  if (!input.empty() && ::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev &&
      in.st_ino == out.st_ino) {
    return Quote(target, kIsInput);
  }
  if (HeldByAnotherProgram(target)) return Quote(target, kLocked);
  return std::nullopt;
}

}  // namespace tsumiki::workbook
