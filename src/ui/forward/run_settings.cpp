// Stand-ins until the run settings dialogs are built. Each asks only what
// lets the run loop go on or step back: the output parameters reset the run
// settings and take their defaults, and the run-kind prompt chooses between
// a subtree, a basin and a forward-only pattern.
#include "ui/forward/run_settings.h"

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"

namespace {

constexpr uint32_t kHistoryLimit = 10000;

// One prompt of the text column; the key is left in is[0].
void
text_column_question(const char *text)
{
    next_line(xtext, 1);
    outtext(text);
    input_string(1, 0);
}

} // namespace

void
select_pattern_scrolling()
{
    acceptall = 0;
    forward_only = 0;
    accept_from = accept_from_none;
    stp = 1;
    if (tot_only) {
        forward_only = 1;
        direction = direction_forward;
    }
    text_column_question("output parameters: defaults-ret:");
    if (is[0] == 'q')
        setpback_x_lines(0);
}

void
forward_only_para()
{
    direction = direction_forward;
    limitcheck = 0;
    is[0] = kKeyReturn;
}

void
select_foreward_back()
{
    text_column_question("backward for subtree-b, forward for basin (def), "
                         "space-time pattern only (no basin)-s:");
    if (is[0] == 'q') {
        setpback_x_lines(0);
        return;
    }
    direction = is[0] == 'b' ? direction_backward : direction_forward;
    limitcheck = is[0] == 's' ? 0 : kHistoryLimit;
}

void
select_stepforward()
{
    stepforward = 0;
    is[0] = kKeyReturn;
}

void
set_seq_update()
{
    seq_update = update_parallel;
}
