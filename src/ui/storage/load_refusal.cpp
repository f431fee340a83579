// The refusal messages of the file routines (load_refusal.h). Reads the
// screen layer's boxes and text entry and the file error box of
// file_dialog.h; start at show_refusal.
#include "ui/storage/load_refusal.h"

#include <cstdio>
#include <cstring>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/storage/file_dialog.h"

void
show_refusal(const char *text, refusal_place where)
{
    if (!mouse_found) {
        fprintf(stderr, "%s\n", text);
        return;
    }
    int16_t x = getx, y = gety;
    if (where == refusal_place::box_erased) {
        // Beside a box standing at the top right (the colour key), over a
        // saved copy of what it covers.
        line_box box = line_box_beside_key(text_pixel_width(text, static_cast<int>(strlen(text))) + CWidth);
        image_slot under = 0;
        getimage(box.left, box.top, box.right, box.bottom + 1, &under);
        draw_line_box(box);
        outtext(text);
        input_string(0, numeric_entry);
        putimage(box.left, box.top, &under, 0);
        freeimage(&under);
        moveto(x, y);
        return;
    }
    if (where == refusal_place::at_point) {
        outtext(text);
    } else {
        // Broken to the box's width, the box as tall as that takes; a kept
        // box is a replaced one, so an erase of one line takes all of it.
        const prompt_part line = {text, 1};
        write_prompt_part(text, 1, replace_prompt_box(prompt_parts_lines(&line, 1)));
    }
    input_string(0, numeric_entry);
    moveto(x, y);
}

void
refuse_file(const char *name, const std::string &reason)
{
    file_error(name, reason);
    is[0] = 'q';
}

bool
file_refused(const char *name, const std::string &reason)
{
    refuse_file(name, reason);
    return false;
}

bool
write_or_refuse(const char *name, const void *data, size_t size)
{
    if (!write_file(name, data, size))
        return file_refused(name);
    return true;
}
