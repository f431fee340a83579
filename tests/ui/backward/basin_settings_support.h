// The fixture of the window tests of the basin settings' stages and the
// layout preview they draw: a small 1d ring with the level radii the
// layout fills, the layout not yet set and nothing accepted; afterwards
// the radii given back and the layout unset again.
#pragma once
#include "support/x_test_fixture.h"

#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"

class BasinSettingsTest : public ScreenTest {
protected:
    std::vector<float> radii = std::vector<float>(91, 0.0f);

    // A v = 2 ring of n cells, a single basin (no field, range or
    // mutation) to lay out, with the layout's questions all to be asked.
    // Call after ScreenTest::SetUp.
    void set_up_ring(uint16_t n)
    {
        rad = radii.data();
        lastlevel = 90;
        value_range = 2;
        lineL = n;
        L = static_cast<uint16_t>(n - 1);
        oned = 1;
        twod = threed = 0;
        basinfield = 0;
        rangeL = 0;
        mutant_layout = 0;
        successive_basins = 0;
        layout_notset = 1;
        acceptall = 0;
    }
    void TearDown() override
    {
        rad = nullptr;
        acceptall = 0;
        accept_from = accept_from_none;
        layout_notset = 1;
    }
};
