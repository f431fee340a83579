// The LaTeX picture export (latex_export.h), called by the cell editor's
// file menu for the whole state ('t') or a part ('T'). Reads the value
// colours (color_v, model globals) and the old colour slots (oldcolor,
// screen globals); the file text is engine/storage/latex_picture.cpp.
// Start at save_to_tex.
#include "ui/string_editors/latex_export.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/globals.h"
#include "engine/storage/latex_picture.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

constexpr int kSettingsSlot = 11; // boximage_prompt slot under the settings box
constexpr double kDotScale = 0.25;

// The number typed in the last entry when it starts with a digit or '.';
// false for an empty entry or any other text.
bool
typed_number(double *value)
{
    std::string text = entry_text();
    if (text.empty() || !(isdigit(static_cast<unsigned char>(text[0])) || text[0] == '.'))
        return false;
    *value = strtod(text.c_str(), nullptr);
    return true;
}

// The rgb text of value c: the old colour's own, else the X colour's.
std::string
value_rgb(int c)
{
    int index = color_v[c];
    std::string text = old_color_rgb(oldcolor, index);
    if (!text.empty())
        return text;
    double rgb[3] = {0, 0, 0};
    palette_rgb(index, rgb);
    char line[64];
    snprintf(line, sizeof line, "%.3f,%.3f,%.3f", rgb[0], rgb[1], rgb[2]);
    return line;
}

// The settings box: the mode, and on request the cell scale, the dots and
// the dot scale. False when the user chose no mode.
bool
ask_settings(tex_picture *p)
{
    int margin = draw_prompt_box(4);
    outtext("create a Latex Picture file");
    moveto(margin, gety + CHeight);
    outtext("symbols-s color-c greyscale-g:");
    input_string(1, single_key_entry);
    char mode = is[0];
    if (mode != tex_mode_symbols && mode != tex_mode_color && mode != tex_mode_grey)
        return false;
    p->mode = mode;
    moveto(margin, gety + CHeight);
    char line[120];
    snprintf(line, sizeof line, "cellscale=%.2f dots(%s)=%.2f: change settings-c:", p->scale,
             p->dots ? "on" : "off", kDotScale);
    outtext(line);
    input_string(1, single_key_entry);
    if (is[0] == 's')
        return true;
    moveto(margin, gety + CHeight);
    outtext("change: cellscale:");
    double value;
    if (input_string(4, text_entry) > 0 && typed_number(&value) && value >= 0)
        p->scale = value;
    outtext(p->dots ? " suppress-zero-dots -z:" : " show-zero-dots -z:");
    input_string(1, single_key_entry);
    if (is[0] == 'z')
        p->dots = !p->dots;
    if (p->dots) {
        outtext(" dotscale:");
        p->dot_scale = kDotScale;
        if (input_string(4, text_entry) > 0 && typed_number(&value) && value >= 0 && value < 1)
            p->dot_scale = value;
    }
    return true;
}

} // namespace

void
save_to_tex(const uint8_t *string, int cols, int rows, int /*layers*/, uint32_t cells, int size,
            int divs, int dots, int hex)
{
    tex_picture p;
    p.cells = string;
    p.count = cells;
    p.cols = cols;
    p.rows = rows;
    p.v = value_range;
    p.scale = size;
    p.dots = dots && size >= 4;
    p.divisions = divs == 1;
    p.hexagons = hex != 0;

    int16_t x = getx, y = gety;
    get_prompt_box(kSettingsSlot, 4);
    bool chosen = ask_settings(&p);
    putimage(Maxx / 2, 2, &boximage_prompt[kSettingsSlot], 3);
    freeimage(&boximage_prompt[kSettingsSlot]);
    moveto(x, y);
    if (!chosen || !choose_file("SAVE", "latex figure", "*.tex", "my_tex"))
        return;
    for (int c = 0; c < p.v; c++)
        p.rgb.push_back(value_rgb(c));
    std::string text = compose_latex_picture(p);
    if (!write_file(filename, text.data(), text.size()))
        file_error(filename);
}
