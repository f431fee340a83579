// The prompt area of the graph window, which the graph builder saved under
// the menu's four lines: its dialogs (the menu, the settings, the drag
// editor's selection prompt, the paths) are written in the font in which
// the widest of their lines fits the prompt box, so that a dialog of n
// lines stays in the room of n lines.
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
// under a prompt shorter than the menu. The clear stops above the set-up's
// first line, which runs on under the area's left part, as the menu does.
void remove_menu();

// While it lives: the screen's font scope over the lines in the prompt
// box, taking the medium or else the small font where the normal one is
// too wide, with row_top(i) the top of line i (smaller lines spread over
// the room of `rows` lines). dialog_row places the rows of the fitting
// font that lives now.
class fitting_font : public font_while {
public:
    // With box_follows, the prompt box is drawn in the font once it is
    // taken: a box of `rows` lines that would reach down to the set-up's
    // text column in the normal font is drawn in the small one, above it.
    fitting_font(const std::vector<std::string> &lines, int rows, bool box_follows = false);
    ~fitting_font();
    int row_top(int line) const;

private:
    int room_, rows_;
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
