// What both wiring editors' prompts and keys in force read besides the
// network's globals: the rules flag, the block (flag and cells) and the
// cursor cell. Each editor's state adds its own (the 1d editor's up/down
// step), and its session turns it into the cells in reach.
#pragma once

struct editor_state {
    bool rules_set = false; // false while only the wiring exists
    int block = 0;     // a block is marked
    int low = 0, high = 0;
    int cursor = 0;
};
