#pragma once

#include <optional>
#include <string>

#include "creation/start_conditions_check.h"

namespace CLI {
class App;
}

namespace tsumiki::cli {

// The start-condition flags that `create` and `settings` share: each one
// given replaces the stored text of its field.
struct StartConditionFlags {
  std::optional<std::string> year, month, day, base_day, attempts, time_limit, improve_seconds;

  bool Any() const {
    return year || month || day || base_day || attempts || time_limit || improve_seconds;
  }
  // The stored texts with the flags laid over them as the start-condition dialog
  // lays its fields: a base day given without a start day is the start day too.
  StartConditionTexts Over(StartConditionTexts texts) const;
};

// Adds the flags to a command; `flags` is filled when it runs.
void AddStartConditionFlags(CLI::App& command, StartConditionFlags& flags);

}  // namespace tsumiki::cli
