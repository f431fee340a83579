// Fonts taken for a while (prompt_font.h): the scope that gives the normal
// font back, and the prompt lines measured against the box's text room.
#include "ui/screen/prompt_font.h"

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"

font_while::font_while(bool on, void (*set_font)()) : on_(on), width_(CWidth), height_(CHeight)
{
    if (on_)
        set_font();
}

font_while::~font_while()
{
    if (!on_)
        return;
    restore_def_font();
    CWidth = width_;
    CHeight = height_;
}

namespace {

bool
wider_than_prompt_box(const std::vector<std::string> &lines)
{
    int room = box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
    for (const std::string &line : lines)
        if (text_width_in_use(line.c_str()) > room)
            return true;
    return false;
}

bool
reaches_text_column(const std::vector<std::string> &lines)
{
    return prompt_box_bottom(static_cast<int>(lines.size())) >= text_column_top();
}

} // namespace

prompt_font::prompt_font(const std::vector<std::string> &lines)
    : font_while(wider_than_prompt_box(lines) || reaches_text_column(lines), set_medium_font)
{
}
