// The gradient bands: step size, colours from bright to black, no gaps.
#include "Gradient.h"

#include <gtest/gtest.h>

using namespace fastinst;

TEST(Gradient, StepIsHeightOver222AndAtLeastOne) {
    EXPECT_EQ(GradientStep(768), 3);
    EXPECT_EQ(GradientStep(1080), 4);
    EXPECT_EQ(GradientStep(222), 1);
    EXPECT_EQ(GradientStep(200), 1);
    EXPECT_EQ(GradientStep(1), 1);
}

TEST(Gradient, BandsCoverTheScreenWithoutGapsAndDarkenDownwards) {
    for (int height : {100, 221, 443, 600, 768, 1080, 1200}) {
        const auto bands = GradientBands(height);
        ASSERT_FALSE(bands.empty());
        EXPECT_LE(bands.front().top, 0) << height;
        EXPECT_GE(bands.back().bottom, height) << height;
        for (std::size_t i = 1; i < bands.size(); ++i) {
            EXPECT_LE(bands[i].top, bands[i - 1].bottom) << height;
            EXPECT_LE(bands[i].index, bands[i - 1].index) << height;
        }
        EXPECT_GE(bands.front().index, 219) << height;
        EXPECT_LE(bands.front().index, 221) << height;
        EXPECT_EQ(bands.back().index, 0) << height;
    }
}

TEST(Gradient, BandsOf768Rows) {
    const auto bands = GradientBands(768);
    EXPECT_EQ(bands.front().top, 0);
    EXPECT_EQ(bands.front().bottom, 4);
    EXPECT_EQ(bands.front().index, 221); // (765 / 768) * 222 = 221.1
    EXPECT_EQ(bands[1].top, 4);
    EXPECT_EQ(bands[1].index, 220);   // (762 / 768) * 222 = 220.3
    EXPECT_EQ(bands.back().top, 769); // y = 771 is the first step at or past 770
}
