// The prompt area of the graph window, which the graph builder saved under
// the menu's four lines: its dialogs (the menu, the settings, the drag
// editor's selection prompt, the paths, the block) are written in the font
// in which their lines fit the prompt box's width and the room of n lines
// above the text column's first line, each line apart from the next.
#pragma once
#include <string>
#include <vector>

#include "ui/screen/key_table.h"
#include "ui/screen/prompt_font.h"

// Image slots of what the graph window covers: its rectangle (boximage)
// and the prompt area of the menu's lines (boximage_prompt), saved by the
// graph builder and put back by it when the graph closes.
constexpr int kGraphWindowSlot = 3;
constexpr int kGraphPromptSlot = 3;
constexpr int kGraphMenuLines = 4;

// The prompt area cleared of the menu. While the graph is open the area is
// the graph's: what the screen showed there before the graph opened (a
// field's finished progress bar) comes back when the graph closes, not
// under a prompt shorter than the menu. The clear stops where the menu's
// box does (graph_prompt_bottom).
void remove_menu();

// The last row of the graph's prompt box of `rows` lines: that of the
// normal font's box, or the row above the text column's first line where
// that box would reach it (the line runs on under the box's left part), or
// above a marked side panel's top (side_panel.h).
int graph_prompt_bottom(int rows);

// While it lives: the screen's font scope over the lines of a dialog of
// `rows` rows in the graph's prompt box of as many lines, taking the normal,
// the medium or else the small font: the first in which every line fits the
// box's width and the rows fit its height, each row's ink a blank row apart
// from the next and from the frame. row_top(i) is the top of row i (smaller
// rows spread over the box's height); dialog_row places the rows of the
// fitting font that lives now; draw_box draws the box.
class fitting_font : public font_while {
public:
    fitting_font(const std::vector<std::string> &lines, int rows);
    ~fitting_font();
    int row_top(int line) const;
    // The prompt box cleared and framed; returns its text margin.
    int draw_box() const;

private:
    int bottom_;
    int pitch_ = 0, first_ = 0; // the rows' pitch and the first row's top
    const fitting_font *before_;
};

// The point to the start of line `line` of the prompt box, in the fitting
// font in use (a question table's start_row).
void dialog_row(int line);

// Writes text at the point and leaves the point at its end.
void put_text(const std::string &text);

// Where a prompt's last line ends: its key wait blinks there.
struct prompt_end {
    int x, y;
};
// The prompt area as under the menu, then a prompt box of as many lines
// as given, written in white in the font in which they fit with room for
// one character more.
prompt_end show_graph_prompt(const std::vector<std::string> &lines);
// One key waited for at the prompt's end; the left mouse button is Return
// and the right one 'q'. 0 for a key that gives no character.
char wait_graph_prompt_key(const prompt_end &at);

// The lines of a prompt drawn from a key table's help: the title, then
// each piece, one that begins with a newline starting a line of its own.
std::vector<std::string> prompt_lines(const std::string &title, const std::vector<key_help_line> &pieces);
