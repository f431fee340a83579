// Prompt texts broken to the prompt box's width (prompt_text.h): a text is
// cut into pieces at spaces, each piece as long as the room left on its
// line allows, the entry's room kept after the last.
#include "ui/screen/prompt_text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/text_line.h"
#include "ui/screen/x_state.h"

namespace {

// The width of the first len characters of s in the font they are written
// in: a smaller one where a prompt's lines are set in it.
int
piece_width(const char *s, int len)
{
    if (font_in_use() == font_normal)
        return text_pixel_width(s, len);
    return text_width_in_use(std::string(s, static_cast<size_t>(len)).c_str());
}

// The lengths of the pieces of text written from column x of the prompt
// box, one per line: the first from x, each further one from the text
// margin, each as long as fits before the box's right edge, broken after a
// space where one falls within the width. The last piece leaves room pixels
// free for what follows it on its line. A line at the margin takes at least
// one character; a text that starts after other text and has no room there
// starts on the next line (its first piece empty).
std::vector<int>
prompt_box_pieces(const char *text, int x, int room, int margin = prompt_box_text(Maxx))
{
    // A box of the prompt box's width whose text starts at margin.
    const int right = margin + box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
    std::vector<int> pieces;
    const char *start = text;
    int left = static_cast<int>(strlen(text));
    for (int from = x; left > 0; from = margin) {
        const int width = right - from;
        const int least = from > margin ? 0 : 1;
        int fit = left;
        while (fit > least && piece_width(start, fit) + (fit == left ? room : 0) > width)
            fit--;
        if (fit < left) {
            int space = fit;
            while (space > 0 && start[space - 1] != ' ')
                space--;
            if (space > 0)
                fit = space;
        }
        pieces.push_back(fit);
        start += fit;
        left -= fit;
    }
    return pieces;
}

} // namespace

char
widest_entry_character()
{
    // The font is proportional: letters such as 'W' and 'M' are wider than
    // the character cell.
    char widest = 'M';
    int width = 0;
    for (int c = 1; c < 128; c++) {
        const char one[2] = {static_cast<char>(c), '\0'};
        if (entry_accepts(text_entry, c) && text_width_in_use(one) > width) {
            widest = one[0];
            width = text_width_in_use(one);
        }
    }
    return widest;
}

int
typed_entry_width(int max)
{
    const char one[2] = {widest_entry_character(), '\0'};
    return max * text_width_in_use(one);
}

int
typed_entry_room(int max)
{
    return max > 0 ? typed_entry_width(max) + CWidth : 0;
}

int
prompt_box_lines(const char *text)
{
    const prompt_part part = {text, 0};
    return prompt_parts_lines(&part, 1);
}

void
write_prompt_lines(const char *text, int margin)
{
    write_prompt_part(text, 0, margin);
}

int
prompt_parts_lines(const prompt_part *parts, int count)
{
    const int margin = prompt_box_text(Maxx);
    int x = margin, lines = 1;
    for (int p = 0; p < count; p++) {
        const char *start = parts[p].text;
        std::vector<int> pieces = prompt_box_pieces(start, x, typed_entry_room(parts[p].entry));
        for (size_t i = 0; i < pieces.size(); i++) {
            if (i > 0) {
                lines++;
                x = margin;
            }
            x += piece_width(start, pieces[i]);
            start += pieces[i];
        }
        x += typed_entry_width(parts[p].entry);
    }
    return lines;
}

namespace {

// Writes the pieces of text from the current point, each further one at
// margin one line lower.
void
write_pieces(const char *text, const std::vector<int> &pieces, int margin)
{
    const char *start = text;
    bool first = true;
    for (int length : pieces) {
        if (!first)
            moveto(margin, gety + CHeight);
        if (length > 0)
            outtext(std::string(start, static_cast<size_t>(length)).c_str());
        start += length;
        first = false;
    }
}

} // namespace

void
write_prompt_part(const char *text, int entry, int margin)
{
    write_pieces(text, prompt_box_pieces(text, getx, typed_entry_room(entry)), margin);
}

void
rewrite_prompt_lines(const char *text, int entry, int margin, int top, int lines)
{
    const int right = margin + box_right_edge(Maxx) - 3 - prompt_box_text(Maxx);
    std::vector<int> pieces = prompt_box_pieces(text, margin, typed_entry_room(entry), margin);
    const int count = std::max(lines, static_cast<int>(pieces.size()));
    // The rows of all the lines are cleared before any is written: with a
    // line space smaller than the font's height (one the user set), a
    // line's rows reach into the foot of the line above, which a clear of
    // each line in turn would cut.
    int first = 0, last = 0, unused = 0;
    line_ink_rows(top, first, unused);
    line_ink_rows(top + (count - 1) * CHeight, unused, last);
    const uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(margin, first, right, last);
    fillcolor = fill;
    const char *start = text;
    moveto(margin, top);
    for (size_t i = 0; i < pieces.size(); i++) {
        moveto(margin, top + static_cast<int>(i) * CHeight);
        const std::string piece(start, static_cast<size_t>(pieces[i]));
        outtext(text_within(piece, right - margin + 1).c_str());
        start += pieces[i];
    }
}

void
write_prompt_lines_at(const char *text, int margin)
{
    write_pieces(text, prompt_box_pieces(text, getx, 0, margin), margin);
}

int
prompt_box_with(const char *text, int entry)
{
    const prompt_part line = {text, entry};
    const int lines = prompt_parts_lines(&line, 1);
    write_prompt_part(text, entry, draw_prompt_box(lines));
    return lines;
}
