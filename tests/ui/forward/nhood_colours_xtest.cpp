// Cells coloured by their neighbourhood after a packed ring step that left
// its indexes out (as a run steps): the colour pass settles the indexes
// first, so the row drawn is the row drawn after a step that wrote them.
#include "support/x_test_fixture.h"

#include <set>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "ui/forward/cell_colouring.h"
#include "ui/forward/space_time_display.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

class NhoodColours : public ScreenTest {
protected:
    // The row of n pixels drawn at y for A after one step of mode from start.
    static std::vector<unsigned long> row_after_step(const std::vector<uint8_t> &start,
                                                     const step_mode &mode, int y);
};

std::vector<unsigned long>
NhoodColours::row_after_step(const std::vector<uint8_t> &start, const step_mode &mode, int y)
{
    memcpy(A, start.data(), bytesL);
    memset(nhd, 0, lineL * sizeof(uint16_t));
    forward_run_begin(mode);
    forward_step(carule, mode);
    forward_run_end();
    run_iteration it{};
    it.cell_size = 1;
    it.fore_colour = white;
    skeleton_record sk{};
    colouring_step colouring;
    colouring.fwd_only = 1;
    colouring.by_nhood = 1;
    moveto(0, y);
    draw_pattern_cells(&it, &sk, &colouring, 1, 0);
    std::vector<unsigned long> row(lineL);
    for (uint32_t x = 0; x < lineL; x++)
        row[x] = window_pixel(static_cast<int>(x), y);
    return row;
}

TEST_F(NhoodColours, AfterAStepThatLeftItsIndexesOut)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    d_mode = display_1d;
    ncolor = 1;
    uint8_t value_colours[2] = {black, white};
    color_v = value_colours;
    srandom(31);
    for (int k : {3, 5, 9}) {
        TestNetwork net(2, 300, k);
        TestNetwork::set_random_rule();
        set_random_state();
        const std::vector<uint8_t> start(A, A + bytesL);
        step_mode eager, lazy;
        lazy.indexes = 0;
        const std::vector<unsigned long> written = row_after_step(start, eager, 10);
        const std::vector<unsigned long> settled = row_after_step(start, lazy, 12);
        ASSERT_EQ(written.size(), static_cast<size_t>(lineL));
        EXPECT_EQ(settled, written) << "k=" << k;
        EXPECT_GT(std::set<unsigned long>(written.begin(), written.end()).size(), 2u) << "k=" << k;
    }
    ncolor = 0;
    color_v = nullptr;
    d_mode = display_unset;
}

} // namespace
