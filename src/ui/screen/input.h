// Keys and mouse: the blinking wait, the translation of an event into a key
// code, the line editor that fills `is`, the hot keys of every entry, and the
// poll of long computations.
#pragma once

// The block a wait blinks: its corner (dx,dy) relative to the current
// point, its width and height, and its colour.
struct cursor_block {
    int dx, dy, w, h;
    int colour;
};
// The block of a typed entry: a character wide, half a line high.
cursor_block entry_block(int colour);
// The rectangle x0..x1, y0..y1 where the left-pointer cursor shows during a
// wait; none when empty.
struct pointer_rect {
    int x0 = 0, x1 = 0, y0 = 0, y1 = 0;
};
// Waits for a key or button, blinking the block at the current point. As it
// blocks it writes one byte to the descriptor ZEMRA_READY_FD names, if any.
void flashing_cursor(const cursor_block &block, const pointer_rect &area = {});
// While on, a pointer motion inside flashing_cursor's rectangle ends the
// wait too, with button 'm' and the position in mouse_x, mouse_y: for
// probes that follow the pointer. Off again with false.
void set_motion_returns(bool on);
// Key code of what ended the last wait; len: characters already typed.
int keycheck(int len);
// Reads one entry of up to max characters into `is` in one of the entry
// modes below. Returns its length.
int input_string(int max, int mode);
// As input_string over a value shown at the point (a box's present
// content) that the entry does not begin with: the first character typed
// clears its ink before its own echo; Return, an arrow or erase typed
// first leave it shown.
int input_string_over(int max, int mode, const char *shown);
// The inside of the frame of a box an entry is typed into: columns x0..x1
// and rows y0..y1.
struct entry_box {
    int x0, x1, y0, y1;
};
// As input_string, with the entry begun by start (nullptr or "" for
// none; written at the point: the first key typed replaces it whole, or 'q'
// ends the entry as on an empty one, while Return, an arrow or erase keep
// it as typed), over a value shown as in input_string_over (nullptr:
// none), typed into a box: a character
// is echoed only while it and those before it keep their glyphs inside the
// box; the rest of the entry is typed on unseen. A box a few digits wide
// shows its number, and neither a longer entry nor a command letter that
// inks below the digits reaches its frame or its neighbour.
int input_string_in_box(int max, int mode, const char *start, const char *shown,
                        const entry_box &box);
// Takes the echo of the entry's first len characters, typed on a line and
// ending at the point, off the screen, the point moved back to where it
// began: each character, echoed as a text of its own, is written again at
// its place in the background's colour. It takes its own ink and no more;
// a rectangle over the echo's ink would take the columns of the text before
// that a glyph reaches under (a j's hook under a prompt's colon).
void take_back_echo(int len);
// Entry modes: numeric takes digits, '.' and '-'; text takes letters, digits
// and . - + _ ? ^; arrow entry is text that also returns on an arrow key, and
// on erase, '[' or ']' typed first; single-key entry returns on any one key.
constexpr int numeric_entry = 1, text_entry = 0, arrow_entry = -1, single_key_entry = -2;
// Registers the action of a hot key of the text entry ('@', '>' or '<', see
// line_editor.h), run with the entry typed so far kept; null: the key does
// nothing. The driver registers them at start-up.
void set_entry_hot_key(char key, void (*action)());
// 1 with the key code in is[0] when a key or button press was pending.
int event_ready();
