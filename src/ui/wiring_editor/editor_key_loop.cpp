// The key loop both wiring editors share (editor_key_loop.h). Writes the
// wiring kind flags (model/, wiring/, backward/); waits through screen/.
#include "ui/wiring_editor/editor_key_loop.h"

#include "engine/backward/globals.h"
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
