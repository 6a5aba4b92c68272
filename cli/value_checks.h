#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

// Checks of option values while the command line is read: a value out of range is
// a usage error (status 2) whose text names the value and what is allowed, before
// any workbook is opened.
namespace tsumiki::cli {

// A whole number from `low` to `high` (full-width digits are read as typed).
CLI::Validator WholeNumberIn(int low, int high);
// A whole number of at least `low`.
CLI::Validator WholeNumberFrom(int low);
// A finite number above `low`, or of at least `low` when `inclusive`.
CLI::Validator NumberAbove(double low, bool inclusive);
// One of the given words.
CLI::Validator OneOf(std::vector<std::string> words);

}  // namespace tsumiki::cli
