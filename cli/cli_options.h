#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ui/random.h"

namespace tsumiki::cli {

// The global options of the command line; they may stand before or after the
// command.
struct CliOptions {
  // --workbook PATH; empty: the workbook that start-up picks in the current folder.
  std::string workbook;
  // --seed N: a reproducible run. Without it the clock seeds the generator.
  std::optional<std::uint64_t> seed;
  // --batch: ask nothing (every question takes its safe answer) and skip pauses.
  bool batch = false;
  // --save / --no-save: the answer to the save question; nullopt asks (or, in a
  // batch run or without a terminal, does not save).
  std::optional<bool> save;
};

// The session's one generator as the options ask for it.
inline RandomSource MakeRandomSource(const CliOptions& options) {
  return options.seed ? RandomSource(*options.seed) : RandomSource();
}

}  // namespace tsumiki::cli
