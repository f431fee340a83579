// What the single-rule dialog and the code dialog share: the sizes of a row,
// the menu, one-line prompts, the method actions that are alike in both
// (empty, fill, decimal entry, repeat, load, ASCII table, the stderr
// listing), the change box of a walk and the per-k memory of a walk over a
// mixed-k network.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The sizes of one row of k inputs: a rule table or a code.
struct row_size {
    int k;
    int32_t last;   // the last entry
    size_t bytes;
    uint32_t limit; // the largest decimal row, 0: no decimal entry
    int kind;       // 1 rule table, 2 tcode, 3 kcode (hex readout and entry)
};

// What the walk does after an action.
enum class walk_after { next, menu, quit, restart_k };

// The row and k a dialog edits at index i of its walk: a single rule edits
// row cell (row 0 for Maxu) with that cell's k; a list row i with cell i's
// k when k is mixed and cell is Maxu, else nhood.
int walk_row(int single, int i, int cell);
int walk_k(int single, int i, int cell);

// The last row the set-up's walk clears of its lines: for v = 2 the row
// above the rule box at the window's foot, down to which a row's bits and
// hex readout run (a random k > 9 table's readout in the small font), so
// that the clear takes its last lines whole; else the drawing area's foot.
int walk_clear_bottom();

// The menu of a dialog in mode (0 set-up, 1 revise) at the cell scale of
// s: its two lines and a one-key entry; false when the user backed out with
// 'q'.
bool ask_menu(int mode, const row_size &s, const char *first, const char *second);
// A one-line prompt in the prompt box and an entry of up to max characters
// (mode as input_string); the box is erased afterwards.
int ask_line(const char *text, int max, int mode);
// The number at the start of the last entry, when it lies within limit.
bool entry_within(uint64_t limit, uint32_t *number);

// 'e' (method) empties the row, 'f' asks for a value and fills the row
// with it; the method becomes 'b' and the walk goes back to the menu.
walk_after empty_or_fill_row(uint8_t *row, const row_size &s, char *method);
// 'd': the prompt on a new line and a decimal entry as long as s.limit;
// true with *number when a number within s.limit was typed (not 'q').
bool ask_decimal(const char *prompt, const row_size &s, uint32_t *number);
// The row that 'p' repeats: row i - 1 of rows when copy_previous and it has
// the same k (walk_k), else the last-rule file of k. Returns the k loaded,
// 0 for none.
int load_repeat(uint8_t *row, uint8_t **rows, int i, bool copy_previous, int single, int cell,
                const row_size &s);
// 'p' after load_repeat gave loaded: the method becomes 'b'; the row's
// decimal and hex readout on a new line (set-up) and the row edited as
// cells. *from_repeat is set when the walk quits from here.
walk_after repeat_row(int loaded, int mode, uint8_t *row, const row_size &s, char *method,
                      bool *from_repeat);
// 'l': the last-rule file for cell; quit when none was loaded, restart_k
// (method 'b') when it had another k, else next.
walk_after load_last_row(uint8_t *row, const row_size &s, int cell, char *method);
// After 'l' loaded the row: asks text; a walk of one row keeps 'b' as its
// method; quit on 'q'.
walk_after confirm_loaded(const char *text, int count, char *method);
// 't': the table as an ASCII string, loaded or saved.
void ascii_table_row(uint8_t *row, const row_size &s);
// 'x': the row's hex bytes and values on standard error, with the count of
// each value when with_counts.
void list_row_values(const uint8_t *row, const row_size &s, bool with_counts);

// What the walk does after the change box.
enum class walk_change { menu, same_index };
// The change box of index (of count rows): 'q' or 'a' back to the menu ('b'
// as method when it came from repeat), 's' a new method, 'i' a new index.
walk_change change_box(int *index, int count, char *method, bool from_repeat);

// Whether an action's outcome other than next ends the walk of count rows
// (back to the menu): restart_k and menu do, so does quit in a walk of one
// row; else quit opens the change box, which may move *index.
bool walk_ends(walk_after outcome, int *index, int count, char *method, bool from_repeat);

// True while a forward-only pattern runs after the set-up, when the rule
// readout is not redrawn.
bool forward_only_running();

// The last rule made for each k during a walk over a mixed-k network, and
// whether the next cell of that k gets it without asking.
struct k_memory {
    std::vector<uint8_t> mark;              // 0 none, 1 made, 'a' give to every cell
    std::vector<std::vector<uint8_t>> rule; // the last row made for each k
    // Sized for k up to Maxnhood with rows of the given bytes per k.
    void size(size_t (*bytes)(int k));
};
