// The pixels about a status box question beside a summary
// (status_prompt_check.h): the columns from the status box's right frame to
// the first one inside the summary box, over the rows of the summary box (the
// summary's own first letter may reach the next column with a serif).
#include "support/status_prompt_check.h"

#include "support/x_test_fixture.h"

#include <vector>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/globals.h"

namespace {

// Gives look_beside_summary the fixture's reading of the window.
class window_reader : public ScreenTest {
public:
    using ScreenTest::pixels_seen;
};

} // namespace

std::string
status_prompt_marks::faults() const
{
    std::string text;
    if (status_frame_broken < 0)
        return "the window could not be read";
    if (status_frame_broken)
        text += std::to_string(status_frame_broken) + " rows of the status box's frame drawn over; ";
    if (between_boxes)
        text += std::to_string(between_boxes) + " pixels lit between the boxes; ";
    if (summary_frame_broken)
        text += std::to_string(summary_frame_broken) + " rows of the summary box's frame drawn over; ";
    if (summary_margin)
        text += std::to_string(summary_margin) + " pixels lit in the summary's margin";
    return text;
}

status_prompt_marks
look_beside_summary()
{
    const int status_right = memory_box_place_end(Maxx), summary_left = prompt_box_left(Maxx);
    const int status_bottom = prompt_box_bottom(1), summary_bottom = prompt_box_bottom(2);
    // From the status box's frame to the first column inside the summary box.
    const int summary_column = summary_left - status_right;
    const int w = summary_column + 2, h = summary_bottom - 1;
    status_prompt_marks marks;
    std::vector<unsigned long> seen = window_reader::pixels_seen(status_right, 2, w, h);
    if (seen.size() != static_cast<size_t>(w * h))
        return marks;
    marks.status_frame_broken = marks.between_boxes = marks.summary_frame_broken =
        marks.summary_margin = 0;
    for (int y = 0; y < h; y++) {
        const unsigned long *row = &seen[static_cast<size_t>(y * w)];
        if (y + 2 <= status_bottom)
            marks.status_frame_broken += row[0] != Color_Table[lightred];
        marks.summary_frame_broken += row[summary_column] != Color_Table[red];
        for (int x = 1; x < summary_column; x++)
            marks.between_boxes += row[x] != Color_Table[black];
        // Inside the summary box, between its top and bottom frames.
        if (y > 0 && y + 2 < summary_bottom)
            marks.summary_margin += row[summary_column + 1] != Color_Table[black];
    }
    return marks;
}
