// The key loop both wiring editors share (editor_key_loop.h). Writes the
// wiring kind flags (model/, wiring/, backward/); waits through screen/.
#include "ui/wiring_editor/editor_key_loop.h"

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "ui/screen/input.h"

void
wait_editor_key()
{
    flashing_cursor(entry_block(black));
    is[0] = static_cast<char>(keycheck(0));
}

bool
leaves_editor(char key)
{
    return key == 'q' || key == kKeyReturn;
}

bool
editor_session_core::turn_changed_wiring() const
{
    return was_changed == 1 && !learning_changed_nothing();
}

cells_in_reach
reach_in_state(int editor, const editor_state &s, int all_links)
{
    cells_in_reach reach;
    reach.editor = editor;
    reach.rules_set = s.rules_set;
    reach.cursor = s.cursor;
    reach.block = s.block;
    reach.all_links = all_links;
    reach.low = s.low;
    reach.high = s.high;
    return reach;
}

void
mark_wiring_general()
{
    nonlocal = 1;
    dontcompress = 0;
    compress_1d_local = 0;
    regular2d_tgrid = 0;
    regular2d = 0;
    regular3d = 0;
}
