#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where a command may write a file of its own (a PDF, a conditions file): never
// over the workbook it read, never over a file another program has open for
// writing, never onto a folder or a device. The writing itself goes through
// ReplaceFile, like a save of the workbook.
namespace tsumiki::workbook {

// Why `target` may not receive an output, as a Japanese sentence naming it; nullopt
// when it may (it is missing, or a regular file nobody holds). `input` is the
// workbook the command read: the same file under another name (a symbolic or hard
// link, a relative path) is refused, compared by device and inode.
std::optional<std::string> OutputRefusal(const std::filesystem::path& target,
                                         const std::filesystem::path& input);

}  // namespace tsumiki::workbook
