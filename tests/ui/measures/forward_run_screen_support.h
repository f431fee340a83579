// The fixture base of the measures' window tests that run the forward
// pattern: each test starts on a cleared drawing area with the rule figures
// a run writes, and leaves the run's display settings and value colours
// as it found them.
#pragma once
#include "support/x_test_fixture.h"

#include <algorithm>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

class ForwardRunScreenTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        clear_drawing_area();
        moveto(0, 0);
        give_rule_figures();
    }
    void TearDown() override
    {
        stp = 0;
        d_mode = display_unset;
        scale = 0;
        stppause = stppause_none;
        checked_free(color_v);
        color_v = nullptr;
    }
};

// The row of a histogram's title over a plot area whose top frame is at
// top, for a network line short enough to stay on the row of "sample no=":
// a text line above that row, which stands vgay(25) - CHeight above top and
// is raised where a tall font would carry its ink (from the baseline,
// CHeight - 2 below the row) onto that frame.
inline int
histogram_title_row(int top)
{
    int above = 0, below = 0;
    normal_text_ink("sample no=", above, below);
    const int sample = top - vgay(25) + CHeight;
    const int ink_bottom = sample + CHeight - 2 + below - 1;
    return sample - std::max(0, ink_bottom - (top - 2)) - CHeight;
}
