#include "cli/terminal_host.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "cli/cli_texts.h"
#include "cli/progress_line.h"
#include "cli/status_repeats.h"

namespace tsumiki::cli {
namespace {

struct Terminal {
  std::istringstream in;
  std::ostringstream err;
  TerminalHost host;
  Terminal(TerminalSettings settings, std::string input = {})
      : in(std::move(input)), host(in, err, settings) {}
};

TerminalSettings Batch() {
  TerminalSettings s;
  s.batch = true;
  return s;
}

TerminalSettings Interactive() {
  TerminalSettings s;
  s.can_ask = true;
  return s;
}

std::string Auto(std::string_view answer) {
  return std::string(kAutoAnswerLead) + std::string(answer) + std::string(kAutoAnswerTail) + "\n";
}

TEST(TerminalHostTest, NoticeIsATitledLineWithPlainLineBreaks) {
  Terminal t(Batch());
  EXPECT_EQ(t.host.MessageBox("一行目\r\n二行目", "作成完了", MsgButtons::kOk, MsgIcon::kNone),
            MsgResult::kOk);
  EXPECT_EQ(t.err.str(), "【作成完了】 一行目\n二行目\n");
  t.host.ShowWarning("重なり\r\n・一件");
  EXPECT_EQ(t.err.str(), "【作成完了】 一行目\n二行目\n警告: 重なり\n・一件\n");
}

TEST(TerminalHostTest, QuestionsTakeTheSafeAnswerInABatchRun) {
  Terminal t(Batch(), "y\n");  // input is not read in a batch run
  EXPECT_EQ(
      t.host.MessageBox("再挑戦しますか？", "再挑戦確認", MsgButtons::kYesNo, MsgIcon::kQuestion),
      MsgResult::kNo);
  EXPECT_EQ(t.host.MessageBox("上書きしますか？", "ファイル名の確認", MsgButtons::kOkCancel,
                              MsgIcon::kQuestion),
            MsgResult::kCancel);
  EXPECT_EQ(
      t.host.MessageBox("保存しますか？", "保存確認", MsgButtons::kYesNoCancel, MsgIcon::kQuestion),
      MsgResult::kNo);
  EXPECT_EQ(t.err.str(), "【再挑戦確認】 再挑戦しますか？\n" + Auto(kAnswerNo) +
                             "【ファイル名の確認】 上書きしますか？\n" + Auto(kAnswerCancel) +
                             "【保存確認】 保存しますか？\n" + Auto(kAnswerNo));
}

// readjust --yes and create --retry answer their questions themselves; scripts
// read the question and the answer taken, as after an answer in batch mode.
TEST(TerminalHostTest, AQuestionAnsweredByAFlagShowsTheQuestionAndItsAnswer) {
  Terminal answered(Interactive());
  answered.host.ShowAnswered("入れ替えますか？", "勤務調整", MsgResult::kOk);
  EXPECT_EQ(answered.err.str(), "【勤務調整】 入れ替えますか？\n" + Auto(kAnswerOk));
}

TEST(TerminalHostTest, AsksUntilAnOfferedAnswerComes) {
  Terminal t(Interactive(), "x\nok\n はい \n");
  EXPECT_EQ(t.host.MessageBox("?", "再挑戦確認", MsgButtons::kYesNo, MsgIcon::kNone),
            MsgResult::kYes);
  const std::string prompt(kPromptYesNo);
  EXPECT_EQ(t.err.str(), "【再挑戦確認】 ?\n" + prompt + prompt + prompt);
}

TEST(TerminalHostTest, EndOfInputTakesTheSafeAnswer) {
  Terminal t(Interactive(), "");
  EXPECT_EQ(t.host.MessageBox("?", "保存確認", MsgButtons::kYesNoCancel, MsgIcon::kNone),
            MsgResult::kNo);
  Terminal u(Interactive(), "C\n");
  EXPECT_EQ(u.host.MessageBox("?", "保存確認", MsgButtons::kYesNoCancel, MsgIcon::kNone),
            MsgResult::kCancel);
}

TEST(TerminalHostTest, StatusTextsAreLines) {
  Terminal t(Batch());
  StatusView view;
  view.text = "条件読込中";
  t.host.ShowStatusWindow(view);
  t.host.HideStatusWindow();
  EXPECT_EQ(t.err.str(), "条件読込中\n");
}

// A month that keeps failing shows the same retry texts once per pass.
TEST(StatusRepeatsTest, ARepeatedTextIsWrittenOnceASecondWithItsCount) {
  StatusRepeats repeats;
  const struct {
    const char* text;
    std::int64_t now_ms;
    std::optional<std::string> line;
  } steps[] = {
      {"再挑戦中！", 0, "再挑戦中！"},
      {"確保失敗", 10, "確保失敗"},
      {"再挑戦中！", 20, std::nullopt},
      {"再挑戦中！", 999, std::nullopt},
      {"再挑戦中！", 1000, "再挑戦中！（4 回目）"},
      {"確保失敗", 1010, "確保失敗（2 回目）"},
      {"再挑戦中！", 1500, std::nullopt},
  };
  for (const auto& step : steps) {
    EXPECT_EQ(repeats.Line(step.text, step.now_ms), step.line) << step.text << " " << step.now_ms;
  }
}

TEST(TerminalHostTest, ProgressLineOnlyOnATerminalAndKeptBelowMessages) {
  Terminal plain(Batch());
  plain.host.ShowProgressLine("作成中");
  plain.host.ClearProgressLine();
  EXPECT_EQ(plain.err.str(), "");

  TerminalSettings live = Batch();
  live.live_line = true;
  Terminal t(live);
  t.host.ShowProgressLine("作成中 1");
  t.host.MessageBox("note", "T", MsgButtons::kOk, MsgIcon::kNone);
  t.host.ClearProgressLine();
  EXPECT_EQ(t.err.str(),
            "\r作成中 1\x1b[K"
            "\r\x1b[K【T】 note\n"
            "\r作成中 1\x1b[K"
            "\r\x1b[K");
}

// Once taken, the request is repeated at every DoEvents: a run that clears its
// abort flag when it starts (after a press during loading or a pause) still stops.
TEST(TerminalHostTest, CtrlCBecomesAnAbortRequestThatStandsFromTheNextDoEvents) {
  Terminal t(Batch());
  int aborts = 0;
  t.host.SetAbortHandler([&] { ++aborts; });
  t.host.DoEvents();
  EXPECT_EQ(aborts, 0);
  TerminalHost::NoteInterrupt();
  EXPECT_TRUE(TerminalHost::InterruptPending());
  t.host.DoEvents();
  EXPECT_EQ(aborts, 1);
  EXPECT_FALSE(TerminalHost::InterruptPending());
  t.host.DoEvents();
  EXPECT_EQ(aborts, 2);
}

TEST(ProgressLineTest, TextOfAProgressView) {
  ProgressView view;
  view.bar_min = 0;
  view.bar_max = 30;
  view.bar_value = 15;
  view.pass_number = 3;
  view.remaining_text = "4:59";
  EXPECT_EQ(ProgressLineText(view), "作成中 [##########----------] 15/30日 第3回 残り 4:59");
  EXPECT_EQ(ProgressLineText(ProgressView{}), "作成中");
}

TEST(ProgressLineTest, FitsJapaneseTextToColumns) {
  EXPECT_EQ(FitToColumns("作成中 12", 7), "作成中 ");
  EXPECT_EQ(FitToColumns("作成中 12", 6), "作成中");
  EXPECT_EQ(FitToColumns("作成中 12", 5), "作成");
  EXPECT_EQ(FitToColumns("abc", 10), "abc");
}

TEST(SafeAnswerTest, KeepsOverwritesAndSavesAway) {
  EXPECT_EQ(SafeAnswer(MsgButtons::kOk), MsgResult::kOk);
  EXPECT_EQ(SafeAnswer(MsgButtons::kOkCancel), MsgResult::kCancel);
  EXPECT_EQ(SafeAnswer(MsgButtons::kYesNo), MsgResult::kNo);
  EXPECT_EQ(SafeAnswer(MsgButtons::kYesNoCancel), MsgResult::kNo);
}

}  // namespace
}  // namespace tsumiki::cli
