// The pause after a finished basin tree: the tree's summary in the prompt
// box and "options-o cont-ret:" in the status box at the top middle, both
// taken down once the key is answered.
#include "support/x_test_fixture.h"

#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "ui/backward/globals.h"
#include "ui/backward/run_backward.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class TreePause : public ScreenTest {
protected:
    std::vector<float> radii = std::vector<float>(91);
    float *saved_rad = rad;
    uint16_t saved_last = lastlevel;

    void
    SetUp() override
    {
        ScreenTest::SetUp();
        reset_backward_settings();
        radii[0] = 40;
        for (int n = 1; n < 91; n++)
            radii[n] = radii[n - 1] + 40 / std::log(static_cast<float>((n + 1) * (n + 1)));
        rad = radii.data();
        lastlevel = 90;
        ox = static_cast<int16_t>(Maxx / 2);
        oy = static_cast<int16_t>(Maxy / 2);
        orient_angle = 0;
        fan_angle_fact = 1;
        shownumbers = shownumbers_spot;
        linec = black;
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
    void
    TearDown() override
    {
        rad = saved_rad;
        lastlevel = saved_last;
        datapause = datapause_unset;
    }

    // Pixels of the status box's place, inside its frame, that are not
    // background.
    static int
    status_box_marks()
    {
        int x0 = memory_box_left(Maxx) + 2, x1 = memory_box_place_end(Maxx) - 2;
        int y0 = 4, y1 = prompt_box_bottom(1) - 2;
        int marks = 0;
        for (unsigned long p : pixels_seen(x0, y0, x1 - x0 + 1, y1 - y0 + 1))
            marks += p != Color_Table[black];
        return marks;
    }
};

// Rule 0's all-0 point attractor on 4 cells: a tree of 15 garden-of-Eden
// nodes with tree pauses on. While the pause waits its words are in the
// status box; after Return the box's place is clear.
TEST_F(TreePause, TheStatusBoxGoesWithTheAnswer)
{
    TestNetwork net(2, 4, 3);
    dontcompress = 1;
    TestNetwork::set_rule_number(0);
    std::vector<uint8_t> root(bytesL, 0);
    uint8_t *cycle[2] = {nullptr, root.data()};
    uint8_t **saved_att = att;
    att = cycle;
    attperiod = 1;
    attindex = 1;
    cyclematch = 1;
    direction = direction_forward;
    memcpy(firstseed, root.data(), bytesL);
    isrepeat = 0;
    datapause = datapause_tree;
    int shown = -1;
    std::thread typist = type_keys_looking("\r", [&](size_t) { shown = status_box_marks(); });
    run_backward();
    typist.join();
    EXPECT_EQ(treesize, 16u);
    EXPECT_GT(shown, 50) << "no words in the status box while the pause waits";
    window_pixel(0, 0); // everything drawn is on the screen
    EXPECT_EQ(status_box_marks(), 0) << "the status box left after the answer";
    att = saved_att;
    attperiod = attindex = 0;
}

} // namespace
