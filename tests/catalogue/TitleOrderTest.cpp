#include "TitleOrder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace modflash {
namespace {

TEST(TitleOrderTest, FoldsCaseOfLatinGreekAndCyrillicLettersOnly) {
    EXPECT_EQ(compareCaseInsensitive("Br\u00fbve", "BR\u00dbVE"), 0);
    EXPECT_EQ(compareCaseInsensitive("\u0141\u00f3d\u017a", "\u0142\u00d3D\u0179"), 0);
    EXPECT_EQ(compareCaseInsensitive("\u0178", "\u00ff"), 0);
    EXPECT_EQ(compareCaseInsensitive("\u039c\u0416\u0401", "\u03bc\u0436\u0451"), 0);
    // Folding is not transliteration: ß, ı and the micro sign stay themselves.
    EXPECT_NE(compareCaseInsensitive("\u00df", "ss"), 0);
    EXPECT_NE(compareCaseInsensitive("\u0131", "i"), 0);
    EXPECT_NE(compareCaseInsensitive("\u00b5", "u"), 0);
}

TEST(TitleOrderTest, OrdersByCodePointAfterFoldingBothWaysRound) {
    const std::vector<std::string> ascending = {
        "",           "Nobbin1",   "Nobbin_",    "parvonne",      "PARVONNE (rev009 or Higher)",
        "Vishtar 10", "Vishtar 2", "Zembro",     "\u00b5Tessary", "\u00e9",
        "\u0101",     "\u4e00",    "\U0001F600",
    };
    for (std::size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(compareCaseInsensitive(ascending[i], ascending[i + 1]), 0) << ascending[i];
        EXPECT_GT(compareCaseInsensitive(ascending[i + 1], ascending[i]), 0) << ascending[i];
    }
}

TEST(TitleOrderTest, MalformedTextStillHasATotalOrder) {
    const std::string truncated = "a\xc3";
    const std::string stray = "a\x80";
    EXPECT_EQ(compareCaseInsensitive(truncated, truncated), 0);
    EXPECT_NE(compareCaseInsensitive(truncated, stray), 0);
    EXPECT_EQ(compareCaseInsensitive(truncated, stray), -compareCaseInsensitive(stray, truncated));
    EXPECT_LT(compareCaseInsensitive("a", truncated), 0);
}

} // namespace
} // namespace modflash
