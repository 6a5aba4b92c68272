#include "ui/app_identity.h"

#include <gtest/gtest.h>

namespace tsumiki {
namespace {

TEST(AppIdentityTest, TitleAndVersionAsTheCaptionShowsThem) {
  EXPECT_EQ(VersionText(), "1.05");
  EXPECT_EQ(TitleWithVersion(), "<ツミキ>1.05");
}

}  // namespace
}  // namespace tsumiki
