// The jump table in the graph window (jump_table_view.h): the font by the
// number of nodes or a smaller one, as many columns as fit across the
// window, the table drawn a piece of a line at a time, its key table
// kTableKeys and the jump question table kJump.
// The table's text is engine/graphs/jump_table_lines.h. Start at
// show_table.
#include "ui/graphs/jump_table_view.h"

#include "engine/graphs/globals.h"
#include "ui/graphs/graph_drawing.h"
#include "ui/graphs/graph_prompt.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"

namespace {

// What a key leaves to the table.
enum class table_turn {
    redraw, // drawn again from the place
    copy,   // drawn again once with the copy to standard error
    leave,
};

using table_key = key_row<table_view, table_turn>;

table_turn
leave_table(table_view &, char)
{
    return table_turn::leave;
}

table_turn
copy_table(table_view &, char)
{
    return table_turn::copy;
}

table_turn
reset_place(table_view &v, char)
{
    v.place = jump_table_place{};
    return table_turn::redraw;
}

table_turn
scroll_rows(table_view &v, char key)
{
    scroll_table_rows(v.place, key == 'd' ? 1 : -1);
    return table_turn::redraw;
}

table_turn
scroll_columns(table_view &v, char key)
{
    scroll_table_columns(v.place, key == 'r' ? 1 : -1);
    return table_turn::redraw;
}

// --- 'j': the first column, then the first row, each a number from 1 to
// node_no or Return to keep it.

table_view *jumping = nullptr;

// The number answered, held to 1..node_no; the line shows it.
void
node_answer(uint32_t &value, int len)
{
    value = static_cast<uint32_t>(whole_answer_held(value, {1, static_cast<double>(node_no)}, len));
}

const question kJump[] = {
    question::row()
        .prompts([] {
            draw_prompt_box(1);
            outtext("jump: enter x: ");
        })
        .entry(5, numeric_entry)
        .then([](int len) {
            node_answer(jumping->place.first_column, len);
            return answer_step::next;
        })
        .quits(answer_step::leave),
    question::row()
        .prompts([] { outtext(" enter y:"); })
        .entry(5, numeric_entry)
        .then([](int len) {
            node_answer(jumping->place.first_row, len);
            return answer_step::next;
        }),
};

table_turn
jump_to(table_view &v, char)
{
    remove_menu();
    jumping = &v;
    ask_questions(kJump, question_place{nullptr, nullptr, false});
    jumping = nullptr;
    return table_turn::redraw;
}

const table_key kTableKeys[] = {
    table_key::on("\r").help(" exit-ret").does(leave_table),
    table_key::on("x").help(" xterm-x").does(copy_table),
    table_key::on("j").help(" jump-j").does(jump_to),
    table_key::on("s").help(" reset-s").does(reset_place),
    table_key::on("d").help(" down-d").does(scroll_rows),
    table_key::on("u").help(" up-u").does(scroll_rows),
    table_key::on("r").help(" right-r").does(scroll_columns),
    table_key::on("l").help(" left-l").does(scroll_columns),
};

// Writes one piece of a line in colour and moves on past it.
void
put_piece(const std::string &text, int colour)
{
    setcolor(colour);
    put_text(text);
}

// While it lives, the table's font (from use) with the character sizes its
// own; the font, the sizes and the colour in force before come back when it
// goes.
class table_font {
public:
    table_font() : width_(CWidth), height_(CHeight), colour_(getcolor()) {}
    ~table_font()
    {
        restore_def_font();
        CWidth = width_;
        CHeight = height_;
        setcolor(colour_);
    }
    table_font(const table_font &) = delete;
    table_font &operator=(const table_font &) = delete;

    void use(font_use font)
    {
        // The rows and columns step by the font's own cell: the medium and
        // small fonts are a little taller than 0.8 and 0.6 of the normal
        // one's, and rows stepped by those shares would touch.
        use_font(font);
        CWidth = static_cast<int16_t>(text_width_in_use("0"));
        CHeight = static_cast<int16_t>(text_height_in_use());
    }

private:
    int16_t width_, height_;
    int colour_;
};

// The characters of the font in use that fit across the window: a line
// starts half a character in from the frame and ends before it.
size_t
chars_across(const graph_frame &f)
{
    int room = f.x1 - 1 - (f.x0 + CWidth / 2);
    return room > 0 && CWidth > 0 ? static_cast<size_t>(room / CWidth) : 0;
}

// Puts in use the table's font by its number of nodes, or a smaller one
// where that shows all the columns from the place on (with the nodes' own
// figures after them) and it does not, and returns how many columns fit
// in the font taken: the window shows those, and 'r' and 'l' scroll.
uint32_t
fit_table(const table_view &v, table_font &font)
{
    const uint32_t wanted = node_no - v.place.first_column + 1;
    uint32_t columns = 1;
    for (font_use f = jump_table_font(node_no);; f = static_cast<font_use>(f + 1)) {
        font.use(f);
        columns = jump_table_columns_within(v.form, v.place, chars_across(v.frame));
        if (columns >= wanted || f == font_fixed_small)
            return columns;
    }
}

// The window cleared and framed, then the table from the place on: each
// line's label and the node's figures in lightred, the cells in white,
// as many columns as fit across the window. With copy the whole lines, every
// column, also go to standard error.
void
draw_table(const table_view &v, bool copy)
{
    const graph_frame &f = v.frame;
    draw_box(-1, f.x0, f.y0, f.x1, f.y1, 1, 0);
    if (copy)
        print_out(jump_table_copy(jump_table_lines(v.form, v.place)).c_str());
    graph_clip clip(f);
    table_font font;
    std::vector<jump_table_line> lines = jump_table_lines(v.form, v.place, fit_table(v, font));
    int y = f.y0 + CHeight / 2;
    // Whole lines only: a line the frame would cut waits for 'd'.
    for (size_t i = 0; i < lines.size() && y + CHeight < f.y1; i++, y += CHeight) {
        const jump_table_line &line = lines[i];
        moveto(f.x0 + CWidth / 2, y);
        put_piece(line.label, lightred);
        // The heading is lightred throughout, the rows' cells white.
        put_piece(line.cells, i == 0 ? lightred : white);
        put_piece(line.tail, lightred);
    }
}

} // namespace

font_use
jump_table_font(uint32_t nodes)
{
    if (nodes > 18)
        return font_fixed_small;
    if (nodes >= 14)
        return font_fixed_medium;
    return font_fixed;
}

std::vector<key_help_line>
table_prompt_pieces()
{
    return key_help(kTableKeys, table_view{});
}

std::string
table_prompt_line()
{
    return prompt_lines("scan table:", table_prompt_pieces())[0];
}

std::string
table_keys()
{
    return all_keys(kTableKeys);
}

bool
table_key_acts(char key)
{
    return key_acts(kTableKeys, key, table_view{});
}

bool
table_key_command(table_view &v, char key, bool &copy)
{
    const table_key *row = find_key(kTableKeys, key, v);
    table_turn turn = row ? row->act(v, key) : table_turn::leave;
    copy = turn == table_turn::copy;
    return turn != table_turn::leave;
}

void
show_table(char form, const graph_frame &frame)
{
    if (no_links || !basinjumps || node_no == 0)
        return;
    table_view v;
    v.form = form;
    v.frame = frame;
    bool copy = false;
    bool shown = true;
    while (shown) {
        prompt_end end = show_graph_prompt({table_prompt_line()});
        draw_table(v, copy);
        shown = table_key_command(v, wait_graph_prompt_key(end), copy);
    }
    remove_menu();
}
