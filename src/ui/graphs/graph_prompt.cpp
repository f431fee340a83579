// The prompt area of the graph window (graph_prompt.h): the fitting font of
// its dialogs and the writing of their lines. Draws through the screen
// layer's prompt box and fonts.
#include "ui/graphs/graph_prompt.h"

#include <algorithm>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/side_panel.h"

namespace {

// The top of the prompt box's first line in the normal font.
constexpr int kTop = 5;

// The fitting font that lives now, for dialog_row.
const fitting_font *in_use = nullptr;

// The last row of a box in which `rows` lines of the small font stand each
// a blank row below the ink any text of the line above may take.
int
small_rows_bottom(int rows)
{
    glyph_font small(font_small);
    int first = 0, last = 0;
    line_ink_rows(0, first, last);
    return kTop + rows * (last - first + 2) + 1;
}

// The last row of the box of `rows` lines of height `height`, above the
// text column's first line and a side panel's top; in a window too low for
// that (the least window), as far down as the rows need in the small font.
int
bottom_for(int rows, int height)
{
    return std::max(std::min({box_lines_bottom(rows, height, WinMaxy), text_column_top() - 1, side_panel_top() - 2}),
                    small_rows_bottom(rows));
}

// The most rows the glyphs of the lines reach above their baseline and
// below it, in the font in use.
struct line_ink {
    int above = 0, below = 0;
};

line_ink
ink_of_lines(const std::vector<std::string> &lines)
{
    line_ink ink;
    for (const std::string &line : lines) {
        int above = 0, below = 0;
        text_ink_in_use(line.c_str(), above, below);
        ink.above = std::max(ink.above, above);
        ink.below = std::max(ink.below, below);
    }
    return ink;
}

// The top of the first row and the step to the next, in the font in use:
// the normal font's rows a line apart from the box's top; a smaller font's
// spread over the rows between the frames, each row's ink in the middle of
// its share, which the box's height (bottom_for) makes taller than the ink.
struct row_places {
    int first, pitch;
};

row_places
place_rows(const line_ink &ink, int rows, int bottom)
{
    if (font_in_use() == font_normal)
        return {kTop, CHeight};
    const int pitch = (bottom - 1 - kTop) / rows;
    const int ink_top = kTop + (pitch - ink.above - ink.below) / 2;
    return {ink_top + ink.above - line_baseline(0), pitch};
}

// Whether the rows of lines, placed in the font in use, fit the box: each
// line within its width, each row's ink a blank row apart from the next
// and from the box's frames (outtext's baseline, line_baseline, below a
// row's top).
bool
rows_fit(const std::vector<std::string> &lines, int rows, int bottom)
{
    for (const std::string &line : lines)
        if (text_width_in_use(line.c_str()) > prompt_box_text_room())
            return false;
    const line_ink ink = ink_of_lines(lines);
    const row_places at = place_rows(ink, rows, bottom);
    const int first_baseline = line_baseline(at.first);
    const int last_baseline = first_baseline + (rows - 1) * at.pitch;
    return at.pitch > ink.above + ink.below && first_baseline - ink.above >= 4 &&
           last_baseline + ink.below - 1 <= bottom - 2;
}

} // namespace

void
remove_menu()
{
    erase_prompt_box_to(graph_prompt_bottom(kGraphMenuLines));
}

int
graph_prompt_bottom(int rows)
{
    return bottom_for(rows, CHeight);
}

fitting_font::fitting_font(const std::vector<std::string> &lines, int rows)
    : font_while([&lines, rows, bottom = graph_prompt_bottom(rows)] { return rows_fit(lines, rows, bottom); },
                 {set_medium_font, set_small_font}),
      bottom_(bottom_for(rows, height_before())), before_(in_use)
{
    const row_places at = place_rows(ink_of_lines(lines), rows, bottom_);
    first_ = at.first;
    pitch_ = at.pitch;
    in_use = this;
}

fitting_font::~fitting_font()
{
    in_use = before_;
}

int
fitting_font::row_top(int line) const
{
    return first_ + line * pitch_;
}

int
fitting_font::draw_box() const
{
    return draw_prompt_box_to(bottom_);
}

void
dialog_row(int line)
{
    moveto(prompt_box_text(Maxx), in_use ? in_use->row_top(line) : kTop + line * CHeight);
}

void
put_text(const std::string &text)
{
    outtext(text.c_str());
}

prompt_end
show_graph_prompt(const std::vector<std::string> &lines)
{
    remove_menu();
    int colour = getcolor();
    std::vector<std::string> room = lines;
    room.back() += "0";
    fitting_font font(room, static_cast<int>(lines.size()));
    font.draw_box();
    setcolor(white);
    for (size_t i = 0; i < lines.size(); i++) {
        dialog_row(static_cast<int>(i));
        put_text(lines[i]);
    }
    prompt_end end{getx, gety};
    setcolor(colour);
    return end;
}

char
wait_graph_prompt_key(const prompt_end &at)
{
    moveto(at.x, at.y);
    flashing_cursor(entry_block(green));
    int key = keycheck(0);
    return key > 0 && key < 128 ? static_cast<char>(key) : 0;
}

std::vector<std::string>
prompt_lines(const std::string &title, const std::vector<key_help_line> &pieces)
{
    std::vector<key_help_line> all{{title, ""}};
    all.insert(all.end(), pieces.begin(), pieces.end());
    return help_lines(all);
}
