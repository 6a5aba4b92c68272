#include "ui/window_title.h"

#include <gtest/gtest.h>

namespace tsumiki {
namespace {

TEST(WindowTitleTest, KeyIsTheTextBeforeTheFirstDot) {
  EXPECT_EQ(WindowTitleKey("Microsoft Excel - shift.xls"), "Microsoft Excel - shift");
  EXPECT_EQ(WindowTitleKey("no dot"), "no dot");
  EXPECT_EQ(WindowTitleKey(".hidden"), "");
}

TEST(WindowTitleTest, LastContainingTitleWinsUnlessAnExactOneStopsTheSearch) {
  const std::string text = "Microsoft Excel - shift.xls";
  EXPECT_EQ(PickWindowByTitle({"Notepad", "Microsoft Excel - shift.xlsm", "x",
                               "Microsoft Excel - shift (2).xls", "y"},
                              text),
            3u);
  EXPECT_EQ(PickWindowByTitle({"a Microsoft Excel - shift b", "Microsoft Excel - shift",
                               "Microsoft Excel - shift.xls"},
                              text),
            1u);
  EXPECT_EQ(PickWindowByTitle({"Notepad", "microsoft excel - shift"}, text), std::nullopt);
  // A title is cut at its first NUL.
  EXPECT_EQ(PickWindowByTitle({std::string("Micro\0soft Excel - shift", 24)}, text), std::nullopt);
}

}  // namespace
}  // namespace tsumiki
