// Writes the blank roster workbook that the package installs beside the sample:
// every sheet and name of the layout, no conditions.
#include <exception>
#include <iostream>

#include "conditions/sample_workbook.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tsumiki_write_template PATH\n";
    return 2;
  }
  try {
    tsumiki::layout::WriteBlankWorkbook(argv[1]);
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
