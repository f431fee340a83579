// What one key does to an entry of the input line, apart from drawing: the
// rules of every text entry (which keys a mode takes, erase, Return, the keys
// that end an empty entry at once, the hot keys), and reading an entry back.
#pragma once
#include <string>

enum class entry_step {
    ignored,    // refused by the mode, or past the entry's maximum
    stored,     // appended to the line: echo it
    erased,     // last character removed (it stays at line[len] for its width)
    hot_key,    // '@', '>' or '<': print, save or load the screen
    finished,   // the entry ends; its length is len
};

// Whether an entry in mode (input.h) takes the character key.
bool entry_accepts(int mode, int key);
// Applies key to the entry line[0..len) of at most max characters in mode
// (an entry mode of input_string, input.h).
entry_step edit_entry(char *line, int &len, int key, int max, int mode);

// The text of the last entry in `is`: up to its Return (13) or its 1024
// characters. The line has no terminating zero, so read it only this way.
std::string entry_text();
// The number at the start of the last entry (0 when it holds none), as atol
// reads it.
long entry_number();
// The digits at the start of the last entry as a number, or -1 when it does
// not start with a digit; a long row of digits saturates instead of wrapping.
long long entry_leading_number();
