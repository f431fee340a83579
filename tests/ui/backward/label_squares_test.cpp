// The index of written labels' boxes by square: the boxes it finds for an
// area are exactly those a walk over all of them finds, ascending and each
// once, for boxes spanning several squares, areas partly off the window and
// a window smaller than the boxes' reach.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "ui/backward/label_squares.h"

namespace {

bool
meets(const drawn_box &a, const drawn_box &b)
{
    return !a.empty && !b.empty && a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

drawn_box
random_box(int reach, int largest)
{
    int x = static_cast<int>(random() % reach) - 100, y = static_cast<int>(random() % reach) - 100;
    return {x, y, x + static_cast<int>(random() % largest), y + static_cast<int>(random() % largest), false};
}

TEST(LabelSquares, FindsWhatAWalkOverEveryBoxFinds)
{
    srandom(5);
    for (int window : {1, 200, 1280}) {
        forget_label_squares(window, window * 3 / 4 + 1);
        std::vector<drawn_box> boxes;
        for (uint32_t i = 0; i < 400; i++) {
            boxes.push_back(random_box(1400, 150));
            add_label_square_box(i, boxes.back());
        }
        std::vector<uint32_t> met;
        for (int a = 0; a < 300; a++) {
            drawn_box area = random_box(1600, a % 3 == 0 ? 2000 : 80);
            std::vector<uint32_t> walked;
            for (uint32_t i = 0; i < boxes.size(); i++)
                if (meets(area, boxes[i]))
                    walked.push_back(i);
            label_boxes_meeting(area, met);
            ASSERT_EQ(met, walked) << "window " << window << " area " << a;
        }
        label_boxes_meeting({0, 0, 5000, 5000, true}, met);
        EXPECT_TRUE(met.empty()) << "an empty area meets nothing";
    }
}

TEST(LabelSquares, ForgottenBoxesAreNotFound)
{
    forget_label_squares(640, 480);
    add_label_square_box(0, {10, 10, 300, 40, false});
    std::vector<uint32_t> met;
    label_boxes_meeting({0, 0, 639, 479, false}, met);
    EXPECT_EQ(met, std::vector<uint32_t>{0});
    forget_label_squares(640, 480);
    label_boxes_meeting({0, 0, 639, 479, false}, met);
    EXPECT_TRUE(met.empty());
}

} // namespace
