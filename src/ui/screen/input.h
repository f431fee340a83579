// Keys and mouse: the blinking wait, the translation of an event into a key
// code, the line editor that fills `is`, the hot keys of every entry, and the
// poll of long computations.
#pragma once

// Waits for a key or button, blinking a block at the current point. As it
// blocks it writes one byte to the descriptor ZEMRA_READY_FD names, if any.
// (x0,x1,y0,y1): optional rectangle where the left-pointer cursor shows;
// (dx,dy,w,h): the block relative to the current point; colour: its colour.
void flashing_cursor(int x0, int x1, int y0, int y1, int dx, int dy, int w,
                     int h, int colour);
// While on, a pointer motion inside flashing_cursor's rectangle ends the
// wait too, with button 'm' and the position in mouse_x, mouse_y: for
// probes that follow the pointer. Off again with false.
void set_motion_returns(bool on);
// Key code of what ended the last wait; len: characters already typed.
int keycheck(int len);
// Reads one entry of up to max characters into `is` in one of the entry
// modes below. Returns its length.
int input_string(int max, int mode);
// As input_string, with the entry begun by start (written at the point):
// the first key typed replaces it whole, or 'q' ends the entry as on an
// empty one, while Return, an arrow or erase keep it as typed.
int input_string_from(int max, int mode, const char *start);
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
