#pragma once

#include <cstdint>
#include <string_view>

#include "ui/host.h"

namespace tsumiki {

// A host for work nobody watches (a judgement on a private copy of the workbook):
// status texts go nowhere, nothing waits, the clock stands still and a box, should
// one be asked for, takes its first answer.
class SilentHost : public Host {
 public:
  MsgResult MessageBox(std::string_view, std::string_view, MsgButtons, MsgIcon) override {
    return MsgResult::kOk;
  }
  void ShowStatusWindow(const StatusView&) override {}
  void HideStatusWindow() override {}
  void Sleep(int) override {}
  std::int64_t MonotonicMs() const override { return 0; }
  double SecondsSinceMidnight() const override { return 0; }
};

}  // namespace tsumiki
