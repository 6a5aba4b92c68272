#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conditions/engine_context.h"
#include "optimise/readjust_search.h"
#include "present/readjust_text.h"

namespace tsumiki {

// A roster cell as the readjustment names it to the planner.
struct ReadjustSelection {
  int row = 0;                // 行番号: the member
  int column = 0;             // 列番号: the day
  std::string target;         // txtTarget: the cell's text (the duty's short name)
  std::string member_number;  // txtID
  std::string member_name;    // txt氏名
  std::string duty_name;      // txt勤務名
  int duty_index = 0;
  std::string date_text;  // txtTargetDay, "yyyy/m/d(aaa)"
  bool operator==(const ReadjustSelection&) const = default;
};

enum class ReadjustOutcome {
  kEmptyCell,     // the selected cell is a rest day: nothing to do
  kConfirm,       // the question before the search awaits an answer
  kNotConfirmed,  // the planner cancelled the first question
  kFailed,        // no exchange list was found ("調整失敗")
  kProposed,      // an exchange list is marked on the sheet and awaits an answer
  kCancelled,     // the proposal was declined; only the colours were restored
  kApplied,       // the exchanges are in the roster and on the sheet
};

// What a step of the readjustment answers, for the front end to show: the
// outcome, and the message with its title (an empty text shows nothing).
struct ReadjustReply {
  ReadjustOutcome outcome = ReadjustOutcome::kFailed;
  std::string title;
  std::string text;
  // Chain steps whose direct exchange succeeded where it had failed just before
  // (kReadjustImpossibleMessage each), to be shown before the text.
  int surprises = 0;
};

// The readjustment: turning one member's duty into a rest day by a short list of
// same-day exchanges. The desktop's window and the command line both run it:
// Confirm, then Propose, then Apply or Decline; Undo takes an applied list back.
// Nothing here asks the planner: each step answers what the front end shows.
class Readjustment {
 public:
  explicit Readjustment(const EngineContext& context) : ctx_(context) {}

  // The base date, and the model and roster read in if not current. False when
  // the conditions were refused (the loader has said why).
  bool Prepare();

  // The cell at (row, column) of Time_Table with its member, duty and date; only
  // row and column outside the members and days or on a rest day.
  ReadjustSelection CellAt(int row, int column) const;
  // The text of that cell, empty outside the members and days.
  std::string CellText(int row, int column) const;

  // The question before the search (kConfirm), or the refusal of a rest day
  // (kEmptyCell).
  ReadjustReply Confirm(const ReadjustSelection& cell) const;
  // Searches the exchanges for the cell. Found: they are marked on the sheet and
  // the reply is the proposal (kProposed). Else kFailed, with the reason of each
  // direct exchange that failed (no text when the conditions were refused).
  ReadjustReply Propose(const ReadjustSelection& cell);
  // The proposal taken: the exchanges are made in the roster and on the sheet.
  void Apply();
  // The proposal declined: the cells get their colours back.
  void Decline();
  // Replays the applied list backwards and restores the colours.
  void Undo();

  bool CanUndo() const { return undo_enabled_; }
  const std::vector<Exchange>& Exchanges() const { return exchanges_; }

 private:
  // Colours of the Time_Table cell of (member, day). kKeepInterior leaves the fill.
  void MarkCell(int member, int day, int interior, int border);
  // Each cell's fill, and its whole format so that its border comes back as the
  // workbook had it.
  struct SavedColours {
    std::uint32_t style_a = 0;
    std::uint32_t style_b = 0;
  };
  std::uint32_t CellStyle(int member, int day) const;
  void RestoreLook(int member, int day, std::uint32_t style);
  // Whether the model's roster is what the sheet shows; the planner may have typed
  // into the sheet since the model was read.
  bool ModelMatchesSheet() const;
  bool LoadModel();
  void RestoreColours();

  EngineContext ctx_;
  std::optional<Date> base_date_;
  std::vector<Exchange> exchanges_;
  std::vector<SavedColours> saved_;
  bool undo_enabled_ = false;
};

}  // namespace tsumiki
