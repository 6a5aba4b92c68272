#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The program that draws the PDF of `export --pdf`, kept out of the command line
// so that the command line needs no drawing library. It comes with the desktop
// program's package; the command line works without it, only not for PDF.
namespace tsumiki::cli {

// The environment variable that names the drawing program instead (for tests).
inline constexpr const char* kPdfHelperVariable = "TSUMIKI_PDF_HELPER";

// The drawing program: the one the variable names (which must then exist), else
// the installed one beside this program or in the configured folder, else the one
// of the build tree this program was built in. Nullopt when there is none.
std::optional<std::filesystem::path> FindPdfHelper();

struct FilterRun {
  enum class End {
    kDone,     // exited 0; `output` is all it wrote
    kFailed,   // could not start, exited non-zero, by a signal, or wrote too much
    kStopped,  // `stop` said so; the program's group was killed, the program waited for
  };
  End end = End::kFailed;
  std::string output;
};

// Runs `program` with `input` on its standard input and collects its standard
// output, asking `stop` between reads (about every 50 ms). The program runs in a
// process group of its own, so that a Ctrl-C at the terminal reaches only this
// process, which decides. Its error output is this process's.
FilterRun RunFilter(const std::filesystem::path& program, std::string_view input,
                    const std::function<bool()>& stop);

}  // namespace tsumiki::cli
