// tsumiki-pdf: draws the pages that the command line laid out. Reads the page
// stream on standard input, writes the PDF on standard output; exit status 0, or
// 1 with a line on the error output and nothing on standard output. Kept apart
// from the command line so that only this program needs QtGui.
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <iterator>
#include <string>

#include "print/page_stream.h"
#include "print/print_texts.h"
#include "print/roster_pdf.h"

namespace {

int Fail(std::string_view text) {
  std::cerr << "tsumiki-pdf: " << text << '\n';
  return 1;
}

bool WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

int main() {
  namespace texts = tsumiki::print_texts;
  const std::string input{std::istreambuf_iterator<char>(std::cin),
                          std::istreambuf_iterator<char>()};
  const auto roster = tsumiki::ReadPageStream(input);
  if (!roster) return Fail(texts::kBadInput);
  const auto pdf = tsumiki::RenderRosterPdf(*roster);
  if (!pdf) return Fail(texts::kCannotDraw);
  if (!WriteAll(*pdf)) return Fail(texts::kCannotWrite);
  return 0;
}
