// Fixture of window tests of boxes at the top right that stand over the
// set-up text column's first lines: lines written down the column, the rows
// their ink takes, and the lines a box cuts (ink left of it on a line it
// reaches into) rather than hiding them whole.
#pragma once
#include "support/x_test_fixture.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

class SetUpColumnTest : public ScreenTest {
protected:
    // Set-up lines written down the text column to row bottom, each running
    // on under the prompt box's place, then the rows each line's ink takes,
    // read left of the prompt box: first and last row.
    static std::vector<std::pair<int, int>>
    write_setup_lines(int bottom)
    {
        setcolor(white);
        const int lines = (bottom - text_column_top()) / CHeight;
        for (int j = 0; j < lines; j++) {
            moveto(vgax(30), text_column_top() + j * CHeight);
            outtext("Neighborhood size k: kmix-m, or enter 1-13 (def 3): 7 3 0, totalistic/forward only-t");
        }
        flush_display();
        std::vector<std::pair<int, int>> ink;
        for (int y = text_column_top(); y < bottom + CHeight; y++) {
            std::vector<unsigned long> row = pixels_seen(vgax(30), y, Maxx / 2 - 1 - vgax(30), 1);
            bool inked = std::find(row.begin(), row.end(), Color_Table[white]) != row.end();
            if (inked && (ink.empty() || ink.back().second < y - 1))
                ink.push_back({y, y});
            else if (inked)
                ink.back().second = y;
        }
        return ink;
    }
    // The lines of ink (as write_setup_lines gives them) that begin above row
    // bottom, where a box at the top right stands over their right ends,
    // and still show ink left of the box: lines the box cuts.
    static int
    lines_cut_above(const std::vector<std::pair<int, int>> &ink, int bottom)
    {
        int cut = 0;
        for (const auto &band : ink) {
            if (band.first > bottom)
                continue;
            std::vector<unsigned long> left = pixels_seen(vgax(30), band.first, Maxx / 2 - 1 - vgax(30),
                                                          band.second - band.first + 1);
            cut += std::find(left.begin(), left.end(), Color_Table[white]) != left.end();
        }
        return cut;
    }
    // The lines of the prompt box shown now: its right frame read down from
    // the top (an inset box's frame over its upper end).
    static int prompt_box_lines_shown()
    {
        int y = 3;
        auto frame = [](unsigned long p) { return p == Color_Table[red] || p == Color_Table[lightred]; };
        while (y < Maxy && frame(pixel_seen(Maxx - 2, y)))
            y++;
        int lines = 1;
        while (prompt_box_bottom(lines) < y - 1)
            lines++;
        return lines;
    }
};
