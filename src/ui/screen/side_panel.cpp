// The mark of a panel kept at the right of the drawing area (side_panel.h).
#include "ui/screen/side_panel.h"

#include <algorithm>
#include <climits>

namespace {

// The marked panel's left edge and top row; INT_MAX when none is marked.
int panel_left = INT_MAX;
int panel_top = INT_MAX;

} // namespace

side_panel_while::side_panel_while(int left, int top) : before_left_(panel_left), before_top_(panel_top)
{
    panel_left = left;
    panel_top = top >= 0 ? top : INT_MAX;
}

side_panel_while::~side_panel_while()
{
    panel_left = before_left_;
    panel_top = before_top_;
}

int
side_panel_shift(int right)
{
    if (panel_left == INT_MAX)
        return 0;
    return std::max(0, right - (panel_left - 2));
}

int
side_panel_top()
{
    return panel_left == INT_MAX ? INT_MAX : panel_top;
}
