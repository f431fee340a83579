// The fixture base of the measures' window tests that run the forward
// pattern: each test starts on a cleared drawing area with the rule figures
// a run writes, and leaves the run's display settings and value colours
// as it found them.
#pragma once
#include "support/x_test_fixture.h"

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

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
