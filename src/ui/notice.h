#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/host.h"

namespace tsumiki {

// Something the planner is to be told, as an operation of the core returns it
// instead of opening a box itself: the front end decides when and how to show
// it. Where it points is carried along so that a front end can take the planner
// there; empty (or 0) when the message points nowhere in particular.
struct Notice {
  std::string text{};
  std::string title{};
  MsgIcon icon = MsgIcon::kNone;
  std::string sheet{};  // the sheet to look at
  std::string cell{};   // the cell on it, "B7"
  int day = 0;        // the roster day (1-based)
  int member = 0;     // the member (1-based)

  bool operator==(const Notice&) const = default;
};

using Notices = std::vector<Notice>;

// Appends a notice an operation may have returned.
inline void Collect(Notices& notices, std::optional<Notice> notice) {
  if (notice) notices.push_back(std::move(*notice));
}

}  // namespace tsumiki
