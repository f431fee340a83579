// The fixture of the basin-field window tests, and the level radii a field
// is drawn with: the rule figures a run writes given before each test, the
// field, its layout and its direction put back after it.
#pragma once
#include "support/x_test_fixture.h"

#include <cstdint>
#include <vector>

#include "engine/backward/basin_layout.h"
#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "ui/screen/globals.h"

class FieldScreenTest : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        give_rule_figures();
    }
    void TearDown() override
    {
        basinfield = 0;
        mutant_layout = 0;
        fit_field_layout = 1;
        direction = direction_unset;
    }
};

// The level radii of a basin field laid out by the program's defaults for
// the whole window (basinfield on), in rad and lastlevel while it lives: a
// test may scale them before it draws the field. rad and lastlevel are
// given back when it goes out of scope.
class field_layout_radii {
public:
    field_layout_radii()
    {
        rad = radii_.data();
        lastlevel = 90;
        basinfield = 1;
        compute_layout_defaults(static_cast<int16_t>(Maxx), static_cast<int16_t>(Maxy));
    }
    ~field_layout_radii()
    {
        rad = saved_rad_;
        lastlevel = saved_last_;
    }
    field_layout_radii(const field_layout_radii &) = delete;
    field_layout_radii &operator=(const field_layout_radii &) = delete;

    // Every radius times factor.
    void scale(float factor)
    {
        for (float &r : radii_)
            r *= factor;
    }

private:
    std::vector<float> radii_ = std::vector<float>(91);
    float *saved_rad_ = rad;
    uint16_t saved_last_ = lastlevel;
};
