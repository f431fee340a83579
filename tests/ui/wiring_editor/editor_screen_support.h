// The fixture of the wiring editors' window tests: the rules set and the
// first run not yet made, the network's shape and wiring kind put back
// afterwards; a striped pattern that shows what an editor leaves behind,
// the window's pixels on a grid, and a check that the out-degrees the
// editors show are those of the wiring.
#pragma once
#include "support/setup_column_fixture.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/window.h"
#include "ui/screen/globals.h"

class EditorScreenTest : public SetUpColumnTest {
protected:
    void SetUp() override
    {
        SetUpColumnTest::SetUp();
        give_rule_figures();
        secondpart = 0;
        rules_set = true;
    }
    void TearDown() override
    {
        twod = threed = 0;
        oned = 1;
        hex2d = 0;
        regular2d_tgrid = regular2d = regular3d = 0;
        rules_set = false;
        nonlocal = 0;
        i2d = j2d = 0;
    }
    // The top of an editor's region: the first row of its frame's colour
    // down column x from the text column's top, as the window shows it
    // (read as pixel_seen reads, from a look); -1 when there is none.
    static int region_top(int x)
    {
        for (int y = text_column_top(); y < Maxy; y++)
            if (pixel_seen(x, y) == Color_Table[lightred])
                return y;
        return -1;
    }
    // The region whose top is top cuts none of the set-up lines whose ink
    // write_setup_lines gave: each lies wholly above top or under it.
    static void expect_lines_whole(const std::vector<std::pair<int, int>> &ink, int top)
    {
        ASSERT_GT(top, 0);
        ASSERT_FALSE(ink.empty());
        for (const auto &band : ink)
            EXPECT_FALSE(band.first < top && band.second >= top)
                << "line at rows " << band.first << "-" << band.second << " cut at " << top;
    }
    // Pixels on a grid over the window above row bottom.
    static std::vector<unsigned long> samples(int bottom)
    {
        std::vector<unsigned long> seen;
        for (int y = 0; y < bottom; y += 23)
            for (int x = 0; x < Maxx; x += 31)
                seen.push_back(window_pixel(x, y));
        return seen;
    }
};

// Stripes over the drawing area.
inline void
paint_pattern()
{
    for (int x = 0; x < Maxx; x += 40) {
        setfillstyle(0, x / 40 % 2 ? blue : green);
        bar(x, 0, x + 39, Maxy);
    }
}

// Whether the out-degrees, wires and self links counted last are those of
// the wiring as it is now, counted here input by input.
inline bool
counts_match_wiring()
{
    std::vector<int> out(lineL, 0);
    unsigned long wires = 0;
    int self = 0;
    for (int c = 0; c < lineL; c++)
        for (int p = 0; p < nhoodm[c]; p++) {
            wires++;
            self += wiring[c][p] == c;
            out[wiring[c][p]]++;
        }
    for (int c = 0; c < lineL; c++)
        if (celloutfreq[c] != out[static_cast<size_t>(c)])
            return false;
    return tot_wires == wires && tot_self_links == self;
}

