// Composed text of every length: short, empty, and longer than the first
// pass's buffer (where a fixed buffer would have cut the text).
#include <gtest/gtest.h>

#include <string>

#include "engine/model/formatted_text.h"

TEST(FormattedText, ComposesShortEmptyAndLongText)
{
    EXPECT_EQ(formatted("%d=%.3f%%", 7, 12.5), "7=12.500%");
    EXPECT_EQ(formatted("%s", ""), "");
    for (size_t length : {255u, 256u, 257u, 5000u}) {
        std::string long_text(length, 'x');
        long_text.back() = 'y';
        EXPECT_EQ(formatted("<%s>", long_text.c_str()), "<" + long_text + ">") << length;
    }
}
