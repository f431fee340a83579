// The wiring editors' prompt boxes whose lines fit (fitting_prompt.h).
// Draws through screen/.
#include "ui/wiring_editor/fitting_prompt.h"

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"

namespace {

// Width the prompt box gives its text.
int
prompt_text_width()
{
    return box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
}

bool
lines_fit(const std::vector<std::string> &lines)
{
    for (const std::string &line : lines)
        if (text_pixel_width(line.c_str(), static_cast<int>(line.size())) > prompt_text_width())
            return false;
    return true;
}

} // namespace

void
draw_fitting_prompt(const std::vector<std::string> &lines)
{
    int colour = getcolor();
    int margin = draw_prompt_box(static_cast<int>(lines.size()));
    int top = gety, pitch = CHeight;
    {
        font_while small(!lines_fit(lines), set_small_font);
        setcolor(white);
        for (size_t i = 0; i < lines.size(); i++) {
            moveto(margin, top + static_cast<int>(i) * pitch);
            outtext(lines[i].c_str());
        }
    }
    setcolor(colour);
}
