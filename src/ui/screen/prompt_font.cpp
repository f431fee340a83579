// Fonts taken for a while (prompt_font.h): the scope that gives the normal
// font back, and the lines measured against the room they have.
#include "ui/screen/prompt_font.h"

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"

namespace {

bool
lines_fit(const std::vector<std::string> &lines, int room)
{
    for (const std::string &line : lines)
        if (text_width_in_use(line.c_str()) > room)
            return false;
    return true;
}

bool
reaches_text_column(const std::vector<std::string> &lines)
{
    return prompt_box_bottom(static_cast<int>(lines.size())) >= text_column_top();
}

} // namespace

font_while::font_while(bool on, void (*set_font)()) : on_(on), width_(CWidth), height_(CHeight)
{
    if (on_)
        set_font();
}

font_while::font_while(const std::function<bool()> &fits, std::initializer_list<void (*)()> smaller)
    : on_(false), width_(CWidth), height_(CHeight)
{
    if (fits())
        return;
    for (void (*set_font)() : smaller) {
        // Each font scales the metrics of the one the scope began in.
        CWidth = width_;
        CHeight = height_;
        set_font();
        on_ = true;
        if (fits())
            return;
    }
}

font_while::font_while(const std::vector<std::string> &lines, int room,
                       std::initializer_list<void (*)()> smaller)
    : font_while([&] { return lines_fit(lines, room); }, smaller)
{
}

font_while::~font_while()
{
    if (!on_)
        return;
    restore_def_font();
    CWidth = width_;
    CHeight = height_;
}

int
prompt_box_text_room()
{
    return box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
}

// A box that would reach the text column is given no room in the normal
// font, so that the medium one is taken whatever the lines' widths.
std::string
with_widest_entry(const std::string &prompt, int entry_chars)
{
    return prompt + std::string(static_cast<size_t>(entry_chars) + 1, 'M');
}

prompt_font::prompt_font(const std::vector<std::string> &lines)
    : font_while(lines, reaches_text_column(lines) ? -1 : prompt_box_text_room(), {set_medium_font})
{
}
