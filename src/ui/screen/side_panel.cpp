// The mark of a panel kept at the right of the drawing area (side_panel.h).
#include "ui/screen/side_panel.h"

#include <algorithm>
#include <climits>

namespace {

// The marked panel's left edge; INT_MAX when none is marked.
int panel_left = INT_MAX;

} // namespace

side_panel_while::side_panel_while(int left) : before_(panel_left)
{
    panel_left = left;
}

side_panel_while::~side_panel_while()
{
    panel_left = before_;
}

int
side_panel_shift(int right)
{
    if (panel_left == INT_MAX)
        return 0;
    return std::max(0, right - (panel_left - 2));
}
