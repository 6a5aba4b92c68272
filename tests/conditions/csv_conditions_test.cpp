#include "support/file_bytes.h"
#include "conditions/csv_conditions.h"

#include <gtest/gtest.h>

#include <fstream>

#include "conditions/layout.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki::layout {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;
using workbook::CellValue;

constexpr std::string_view kHead = "\xEF\xBB\xBFツミキ条件データ,1\r\n";
constexpr std::string_view kEnd = "ツミキ条件データ終わり\r\n";

void WriteFile(const std::filesystem::path& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

TEST(ConditionsCsv, RoundTripOfTheSampleIsExact) {
  ScriptedHost host;
  auto sample = LayoutWorkbook::Sample(host);
  auto blank = LayoutWorkbook::Blank(host);
  blank->Set(kMemberList, 30, 2, "消える人");  // the load replaces whole areas
  const std::string text = ConditionsCsvText(sample->book());
  ASSERT_TRUE(text.starts_with(kHead));
  ASSERT_TRUE(text.ends_with(kEnd));
  EXPECT_EQ(ApplyConditionsCsv(blank->book(), text, "sample.csv"), std::nullopt);
  EXPECT_EQ(ConditionsCsvText(blank->book()), text);
  for (const NameSpec& name_spec : ConditionInputs()) {
    EXPECT_EQ(blank->book().ReadRange(Range(blank->book(), name_spec)),
              sample->book().ReadRange(Range(sample->book(), name_spec)))
        << name_spec.name;
  }
  // Derived cells follow the loaded inputs.
  EXPECT_EQ(blank->Int(kMemberCnt), 20);
  EXPECT_EQ(blank->Int(kTypeCnt), 5);
}

TEST(ConditionsCsv, KeepsTextThatLooksLikeANumberAndAwkwardCharacters) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Blank(host);
  fx->Set(kMemberList, 1, 1, "007");
  fx->Set(kMemberList, 1, 2, "山田, \"太郎\"\n二行目");
  fx->Set(kMemberList, 2, 1, 8);
  fx->Set(kMemberList, 2, 2, "'引用");
  fx->Set(kMemberList, 3, 2, "TRUE");
  fx->Set(kPreventSingleWork, true);
  fx->Set(kWeights, 1, 1, 0.1);
  const std::string text = ConditionsCsvText(fx->book());
  EXPECT_NE(text.find("Member_List,1,1,'007\r\n"), std::string::npos);
  EXPECT_NE(text.find("Member_List,1,2,\"山田, \"\"太郎\"\"\n二行目\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("単日勤務防止,1,1,TRUE\r\n"), std::string::npos);

  auto other = LayoutWorkbook::Blank(host);
  ASSERT_EQ(ApplyConditionsCsv(other->book(), text, "x.csv"), std::nullopt);
  EXPECT_EQ(other->Get(kMemberList, 1, 1), CellValue("007"));
  EXPECT_EQ(other->Get(kMemberList, 1, 2), CellValue("山田, \"太郎\"\n二行目"));
  EXPECT_EQ(other->Get(kMemberList, 2, 1), CellValue(8));
  EXPECT_EQ(other->Get(kMemberList, 2, 2), CellValue("'引用"));
  EXPECT_EQ(other->Get(kMemberList, 3, 2), CellValue("TRUE"));
  EXPECT_EQ(other->Get(kPreventSingleWork), CellValue(true));
  EXPECT_EQ(other->Get(kWeights, 1, 1), CellValue(0.1));
}

// A broken file changes nothing and names its line.
TEST(ConditionsCsv, BadFilesChangeNothingAndNameTheLine) {
  struct Case {
    std::string body;
    std::string message;
  };
  const std::string bad = "条件データ「c.csv」の";
  const std::vector<Case> cases{
      {std::string(kHead) + "Member_List,1,2,佐藤\r\nMember_Lst,1,2,鈴木\r\n" + std::string(kEnd),
       bad + "3行目を読めません。名前「Member_"
             "Lst」はこのブックの条件にありません。ブックは変更していません。"},
      {std::string(kHead) + "Member_List,101,2,佐藤\r\n" + std::string(kEnd),
       bad + "2行目を読めません。名前「Member_"
             "List」の範囲（100行×2列）の外のセルです。ブックは変更していません。"},
      {std::string(kHead) + "Member_List,0,2,佐藤\r\n" + std::string(kEnd),
       bad + "2行目を読めません。行と列は1以上の整数で書いてください。ブックは変更していません。"},
      {std::string(kHead) + "Member_List,1,2,佐藤\r\nMember_List,2,2\r\n" + std::string(kEnd),
       bad + "3行目を読めません。名前・行・列・値の4項目になっていません。ブックは変更していません"
             "。"},
      {std::string(kHead) + "Member_List,1,2,佐藤\r\nMember_List,2,2,\"鈴",
       bad + "3行目を読めません。引用符（\"）が閉じていません。ブックは変更していません。"},
      {std::string(kHead) + "Member_List,1,2,佐藤\r\nMember_List,2,2,鈴木\r\n",
       "条件データ「c."
       "csv」は途中で切れています（最後の行に終わりの印がありません）。ブックは変更していません。"},
      {std::string(kHead) + "Member_List,1,2,佐藤\r\nMember_List,1,2,鈴木\r\n" + std::string(kEnd),
       bad + "3行目を読めません。同じセルが2行目にもあります。ブックは変更していません。"},
      {std::string(kHead) + std::string(kEnd) + "Member_List,1,2,佐藤\r\n",
       bad + "3行目を読めません。終わりの印の後に行があります。ブックは変更していません。"},
      {std::string(kHead) + "Member_List,1,2,\x8D\xB2\x93\xA1\r\n" + std::string(kEnd),
       bad + "2行目を読めません。文字コードがUTF-8ではありません。ブックは変更していません。"},
      {std::string(kHead) + "Member_List,1,2,佐" + std::string(1, '\0') + "藤\r\n" +
           std::string(kEnd),
       bad + "2行目を読めません。値に使えない制御文字（NUL "
             "など）があります。ブックは変更していません。"},
      {std::string(kHead) + "年,1,1,二千二十六\r\n" + std::string(kEnd),
       bad + "2行目を読めません。名前「年」の値は数で書いてください。ブックは変更していません。"},
      {std::string(kHead) + "制限時間,1,1,-1\r\n" + std::string(kEnd),
       bad + "2行目を読めません。制限時間（分）には0より大きい数を入力してください（入力値「-1」）。"
             "ブックは変更していません。"},
      {std::string(kHead) + "Need_Table,1,3,-3\r\n" + std::string(kEnd),
       bad + "2行目を読めません。必要人数には0から32767までの整数を入力してください（入力値「-3」）。"
             "ブックは変更していません。"},
      {std::string(kHead) + "試行回数,1,1,2.5\r\n" + std::string(kEnd),
       bad + "2行目を読めません。試行回数には1以上の整数を入力してください（入力値「2.5」）。"
             "ブックは変更していません。"},
      {std::string(kHead) + "初期値使用,1,1,yes\r\n" + std::string(kEnd),
       bad + "2行目を読めません。初期値使用にはTRUEかFALSEを入力してください（入力値「yes」）。"
             "ブックは変更していません。"},
      {"name,row,column,value\r\nMember_List,1,2,佐藤\r\n",
       "「c."
       "csv」はツミキの条件データではありません（1行目）。条件保存で作ったCSVファイルを選んでくださ"
       "い。ブックは変更していません。"},
      {"",
       "「c."
       "csv」はツミキの条件データではありません（1行目）。条件保存で作ったCSVファイルを選んでくださ"
       "い。ブックは変更していません。"},
  };
  ScriptedHost host;
  auto fx = LayoutWorkbook::Sample(host);
  const std::string before = ConditionsCsvText(fx->book());
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyConditionsCsv(fx->book(), c.body, "c.csv"), c.message) << c.body;
    EXPECT_EQ(ConditionsCsvText(fx->book()), before);
  }
}

TEST(ConditionsCsv, AcceptsAFileResavedByASpreadsheetProgram) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Blank(host);
  // LF line ends, no BOM, padded header and end lines, an empty row.
  const std::string text =
      "ツミキ条件データ,1,,\nMember_List,1,2,佐藤\n,,,\nツミキ条件データ終わり,,,\n";
  EXPECT_EQ(ApplyConditionsCsv(fx->book(), text, "c.csv"), std::nullopt);
  EXPECT_EQ(fx->Text(kMemberList, 1, 2), "佐藤");
}

TEST(ConditionsCsvMacros, SaveAndLoadGoThroughThePathInNameListC1) {
  ScriptedHost host;
  auto sample = LayoutWorkbook::Sample(host);
  auto blank = LayoutWorkbook::Blank(host);
  const auto path = sample->dir() / "条件.csv";
  auto set_path = [](LayoutWorkbook& fx, const std::string& text) {
    fx.book().WriteCell(ConditionsPathCell(fx.book()), 1, 1, text);
  };
  set_path(*sample, path.string());
  sample->book().RunMacro(kMacroSaveConditions);
  const std::string saved = testing::ReadFile(path);
  EXPECT_EQ(saved, ConditionsCsvText(sample->book()));

  set_path(*blank, path.string());
  EXPECT_EQ(blank->book().RunMacro(kMacroLoadConditions), std::nullopt);
  EXPECT_EQ(ConditionsCsvText(blank->book()), saved);

  WriteFile(path, std::string(kHead) + "Member_List,1,2\r\n" + std::string(kEnd));
  auto notice = blank->book().RunMacro(kMacroLoadConditions);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->title, "条件データの保存と読込");
  EXPECT_EQ(notice->text, "条件データ「" + path.string() +
                              "」の2行目を読めません。名前・行・列・値の4項目になってい"
                              "ません。ブックは変更していません。");
  EXPECT_EQ(ConditionsCsvText(blank->book()), saved);

  set_path(*blank, "");
  notice = blank->book().RunMacro(kMacroLoadConditions);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text,
            "条件データのファイル名がありません。名前リストシートのセルC1にファイルのパスを入れてく"
            "ださい。");

  set_path(*blank, (sample->dir() / "ない.csv").string());
  notice = blank->book().RunMacro(kMacroLoadConditions);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->text, "条件データ「" + (sample->dir() / "ない.csv").string() +
                              "」を開けませんでした。ファイルがあるか確認してください。"
                              "ブックは変更していません。");
  EXPECT_TRUE(host.Messages().empty());
}

TEST(ConditionsCsvMacros, SavingIntoAMissingFolderSaysSoAndLeavesNoFile) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Blank(host);
  const auto path = fx->dir() / "なし" / "c.csv";
  EXPECT_EQ(SaveConditionsFile(fx->book(), path),
            "条件データ「" + path.string() +
                "」を書き込めませんでした。保存先のフォルダがあるか、書き込みできるかを確認してくだ"
                "さい。");
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace tsumiki::layout
