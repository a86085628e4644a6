// The bitmap layout rules of the Windows back ends, checked without Windows:
// depths to format codes, and rows rounded to 4 bytes.
#include <gtest/gtest.h>

#include "gfx2d/dib_layout.h"

TEST(DibLayout, DepthsMapToFormatsAndNothingElseDoes) {
    EXPECT_EQ(dibFormatOfBits(16), 2);
    EXPECT_EQ(dibFormatOfBits(24), 3);
    EXPECT_EQ(dibFormatOfBits(32), 7);
    for (int bits : {0, 1, 4, 8, 15, 31, 48, -24}) EXPECT_EQ(dibFormatOfBits(bits), 0) << bits << " bits";
}

TEST(DibLayout, RowsAreRoundedToFourBytes) {
    EXPECT_EQ(dibPitch(3, 1, 16), 8);   // 6 bytes
    EXPECT_EQ(dibPitch(2, 1, 16), 4);   // already a multiple
    EXPECT_EQ(dibPitch(5, 2, 24), 16);  // 15 bytes
    EXPECT_EQ(dibPitch(1, 1, 24), 4);
    EXPECT_EQ(dibPitch(4, 1, 24), 12);
    EXPECT_EQ(dibPitch(7, 1, 32), 28);
    EXPECT_EQ(dibPitch(640, 480, 24), 1920);
    EXPECT_EQ(dibPitch(0, 1, 24), 0);
}

TEST(DibLayout, SizesBeyondThirtyTwoBitsAreRefused) {
    EXPECT_EQ(dibPitch(-1, 1, 24), -1);
    EXPECT_EQ(dibPitch(1, -1, 24), -1);
    EXPECT_EQ(dibPitch(0x7FFFFFFF, 1, 32), -1);   // the row alone
    EXPECT_EQ(dibPitch(40000, 40000, 32), -1);    // the whole bitmap
    EXPECT_EQ(dibPitch(16384, 32768, 32), -1);   // 2^31 bytes
    EXPECT_EQ(dibPitch(16384, 32767, 32), 65536); // just below
}
