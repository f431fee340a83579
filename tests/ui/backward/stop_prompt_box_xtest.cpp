// The one-line stop prompt between nodes over the two-line report of the
// last tree or component in the prompt box: while it asks, nothing of the
// report shows below its frame, and after the answer the report is back as
// it was, not cut by an erase of one line's height.
#include "support/x_test_fixture.h"

#include <thread>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "ui/backward/stop_prompts.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

class StopPromptBox : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        basinfield = 1;
    }
    void TearDown() override
    {
        basinfield = 0;
        erase_prompt_box(2);
    }

    // A two-line report in the prompt box, as a finished component leaves it.
    static void draw_report()
    {
        int16_t margin = draw_prompt_box(2);
        setcolor(white);
        outtext("component size=423 root(hex)=2b d2");
        moveto(margin, gety + CHeight);
        outtext("g=99=0.234 ml=15 mp=4  0.013sec");
    }

    // The pixels of the two-line box's place, rows y0 to its bottom.
    static std::vector<unsigned long> place_rows_from(int y0)
    {
        int x0 = prompt_box_left(Maxx), x1 = box_right_edge(Maxx);
        return pixels_seen(x0, y0, x1 - x0 + 1, prompt_box_bottom(2) - y0 + 1);
    }
};

TEST_F(StopPromptBox, OneLinePromptHidesTheReportBelowItAndPutsItBack)
{
    draw_report();
    window_pixel(0, 0); // everything drawn has reached the server
    std::vector<unsigned long> report = place_rows_from(2);
    ASSERT_FALSE(report.empty());
    int background_below = -1;
    int below = prompt_box_bottom(1) + 1;
    paced_thread typist = type_keys_looking("\r", [&](size_t) {
        background_below = 0;
        for (unsigned long p : place_rows_from(below))
            background_below += p == Color_Table[black];
    });
    int key = ask_stop_key(1);
    typist.join();
    EXPECT_EQ(key, '\r');
    size_t rows_below = static_cast<size_t>(prompt_box_bottom(2) - below + 1);
    size_t width = static_cast<size_t>(box_right_edge(Maxx) - prompt_box_left(Maxx) + 1);
    EXPECT_EQ(static_cast<size_t>(background_below), rows_below * width)
        << "the report shows below the prompt's frame";
    window_pixel(0, 0);
    EXPECT_TRUE(place_rows_from(2) == report) << "the report was not put back";
}

} // namespace
