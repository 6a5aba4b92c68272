#include "ui/bits.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tsumiki {
namespace {

TEST(BitsTest, BitValueIsZeroForPositionZeroAndPowersOfTwoAbove) {
  EXPECT_EQ(BitValue(0), 0);
  EXPECT_EQ(BitValue(-3), 0);
  EXPECT_EQ(BitValue(1), 1);
  EXPECT_EQ(BitValue(10), 512);
  EXPECT_EQ(BitValue(33), std::int64_t{1} << 32);  // no 32-bit overflow
  EXPECT_THROW(BitValue(64), std::out_of_range);
}

TEST(BitsTest, HasBitTestsOddQuotient) {
  EXPECT_TRUE(HasBit(5, 4));
  EXPECT_FALSE(HasBit(5, 2));
  EXPECT_TRUE(HasBit(5, 1));
  EXPECT_TRUE(HasBit(1023, 512));
  EXPECT_FALSE(HasBit(511, 512));
  // -1 has every bit, as in two's complement.
  EXPECT_TRUE(HasBit(-1, 1024));
}

TEST(BitsTest, HasBitWithBitValueZeroIsFalseInsteadOfDividingByZero) {
  EXPECT_FALSE(HasBit(1023, BitValue(0)));
  EXPECT_FALSE(HasBit(0, 0));
}

TEST(BitsTest, SixteenBitAndOrDropHigherBits) {
  EXPECT_EQ(BitAnd16(0x1FFFF, 0x1FFFF), 0xFFFF);
  EXPECT_EQ(BitOr16(1, 2), 3);
  EXPECT_EQ(BitOr16(0x10000, 0x10001), 1);
  EXPECT_EQ(BitAnd16(0x3FF, 0x201), 0x201);
  EXPECT_EQ(BitAnd16(-1, 0x3FF), 0x3FF);
  EXPECT_EQ(BitOr16(-1, 0), 0xFFFF);
}

}  // namespace
}  // namespace tsumiki
