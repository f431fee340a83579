// Helpers of the tree builder's tests: the engine's pre-image helpers, and
// the input line run_backward leaves its key in and the text scratch lines,
// given as the program gives them at start-up.
#pragma once
#include "engine/backward/backward_test_support.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "engine/forward/globals.h"
#include "ui/backward/run_backward.h"
#include "ui/screen/globals.h"

class InputLineEnvironment : public ::testing::Environment {
public:
    void
    SetUp() override
    {
        static char line[kInputLineSize];
        if (!is)
            is = line;
        is[0] = 0;
    }
};

inline ::testing::Environment *const input_line_environment =
    ::testing::AddGlobalTestEnvironment(new InputLineEnvironment);

// The text scratch lines (textb) the program allocates at start-up, given
// once for every test that runs a field without the window.
inline void
give_text_lines()
{
    static char lines[7][150];
    static char *rows[7];
    if (textb)
        return;
    for (int i = 0; i < 7; i++)
        rows[i] = lines[i];
    textb = rows;
}

// A single tree's layout: the level radii, each level a shrinking step
// further out from start, in rad and lastlevel (radii must outlive the
// drawing), the tree centred in the window, unturned, its fans at their
// natural angle.
inline void
lay_out_tree_at_centre(std::vector<float> &radii, float start)
{
    radii.assign(91, 0.0f);
    radii[0] = start;
    for (int n = 1; n < 91; n++)
        radii[n] = radii[n - 1] + start / std::log(static_cast<float>((n + 1) * (n + 1)));
    rad = radii.data();
    lastlevel = 90;
    ox = static_cast<int16_t>(Maxx / 2);
    oy = static_cast<int16_t>(Maxy / 2);
    orient_angle = 0;
    fan_angle_fact = 1;
}

// Rule 0's all-0 point attractor on a network set up with rule 0, in att
// for run_backward, which then draws its basin tree (on 4 cells, 15
// garden-of-Eden nodes about the root); att is given back at the end of the
// scope.
class rule_0_point_attractor {
public:
    rule_0_point_attractor() : root_(bytesL, 0)
    {
        cycle_[1] = root_.data();
        att = cycle_;
        attperiod = 1;
        attindex = 1;
        cyclematch = 1;
        direction = direction_forward;
        memcpy(firstseed, root_.data(), bytesL);
        isrepeat = 0;
    }
    ~rule_0_point_attractor()
    {
        att = saved_att_;
        attperiod = attindex = 0;
    }
    rule_0_point_attractor(const rule_0_point_attractor &) = delete;
    rule_0_point_attractor &operator=(const rule_0_point_attractor &) = delete;

private:
    std::vector<uint8_t> root_;
    uint8_t *cycle_[2] = {nullptr, nullptr};
    uint8_t **saved_att_ = att;
};
