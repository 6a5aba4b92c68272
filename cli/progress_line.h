#pragma once

#include <string>
#include <string_view>

#include "ui/host.h"

namespace tsumiki::cli {

// A one-line live display for long commands (the creation run). On a terminal the
// line is redrawn in place; elsewhere nothing is drawn, so logs stay clean.
class ProgressLine {
 public:
  virtual ~ProgressLine() = default;
  virtual void ShowProgressLine(std::string_view text) = 0;
  virtual void ClearProgressLine() = 0;
};

// A progress line that draws nothing, for commands run without a terminal host.
class NoProgressLine : public ProgressLine {
 public:
  void ShowProgressLine(std::string_view) override {}
  void ClearProgressLine() override {}
};

// The line for a progress window's view: "作成中 [#####-----] 12/31日 第3回 残り 4:59".
std::string ProgressLineText(const ProgressView& view);

// Cuts a UTF-8 text to at most `columns` display columns, counting every
// character beyond ASCII as two (Japanese is), so that the line never wraps.
std::string FitToColumns(std::string_view text, int columns);

}  // namespace tsumiki::cli
