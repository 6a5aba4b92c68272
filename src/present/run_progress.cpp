#include "present/run_progress.h"

#include "conditions/layout.h"
#include "optimise/score_text.h"
#include "workbook/reading_modes.h"

namespace tsumiki {

namespace {

// The workbook's own figure for the roster before optimisation, as the score box
// first shows it.
std::string WorkbookScoreText(const workbook::Workbook& book) {
  const workbook::CellRange range = layout::Range(book, layout::kStdDev);
  const workbook::CellValue value = book.ReadCell(range, 1, 1);
  if (value.IsNumber()) return FormatScore(value.Number(), /*decimals=*/3);
  return workbook::ValueToText(value);
}

}  // namespace

RunProgress::RunProgress(const EngineContext& context)
    : book_(context.book),
      progress_(context.host, context.run, context.model, context.session.StatusPosition),
      optimise_(context.host, context.run, context.session.StatusPosition) {}

void RunProgress::PassStarted(int pass_number, int day_count) {
  progress_.Load();
  progress_.SetRange(0, day_count);
  progress_.SetPass(pass_number);
}

void RunProgress::OptimiseStarted(int steps) {
  optimise_.Load();
  optimise_.SetRange(0, steps);
  optimise_.SetValue(0);
  optimise_.SetBarVisible(true);
  optimise_.SetScoreText(WorkbookScoreText(book_));
}

void RunProgress::BestScore(float score) {
  optimise_.SetScoreText(FormatScore(score, /*decimals=*/2));
}

}  // namespace tsumiki
