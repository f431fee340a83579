// The font of a prompt box's lines (prompt_font.h): the lines measured
// against the box's text room, the medium font taken while they do not fit.
#include "ui/screen/prompt_font.h"

#include "ui/screen/box_places.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"

prompt_font::prompt_font(const std::vector<std::string> &lines) : width_(CWidth), height_(CHeight)
{
    int room = box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
    for (const std::string &line : lines)
        medium_ = medium_ || text_width_in_use(line.c_str()) > room;
    if (medium_)
        set_medium_font();
}

prompt_font::~prompt_font()
{
    if (!medium_)
        return;
    restore_def_font();
    CWidth = width_;
    CHeight = height_;
}
