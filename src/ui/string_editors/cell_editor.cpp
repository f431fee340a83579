// The cell editor (cell_editor.h). input_string_cell is one editing pass:
// it blinks the cursor on a cell, takes a key or a button and acts by the
// key table, returning when the user accepts, quits, or changed the string
// or its display so that the grid must be drawn again. Cursor moves and
// brush cells are engine/rules/cell_grid.h, the whole-string shifts
// engine/backward/state_symmetries.h, the patch bytes
// engine/storage/seed_patch.h, the LaTeX pictures latex_export.h. Start at
// input_string_cell; its keys are the table kCellKeys, the file menu is at
// file_menu.
#include "ui/screen/question_table.h"
#include "ui/string_editors/cell_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/backward/state_symmetries.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/cell_grid.h"
#include "engine/rules/globals.h"
#include "engine/rules/string_edits.h"
#include "engine/storage/seed_patch.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/pointer_drag.h"
#include "ui/screen/window.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/network_files.h"
#include "ui/string_editors/globals.h"
#include "ui/string_editors/latex_export.h"

namespace {

constexpr int kPromptSlot = 10;

// Where the grid lies on the screen: its origin, pitch, gaps and shape.
struct grid_view {
    cell_grid g;
    int kind = 0;
    int x0 = 0, y0 = 0; // top left of position 0
    int size = 1;       // pitch of the cells
    int gap = 1;        // gap inside a cell
    int group_gap = 0;  // extra pixels after every 8 cells of a rule table or code
    bool hexagons = false;
    int row_pitch = 1;

    // Top left of the cell at (column, r).
    int cell_x(int column, int r) const
    {
        int x = x0 + column * size + (column / 8) * group_gap;
        if (hexagons && (j2d - r) % 2 == 0)
            x += size / 2;
        return x;
    }
    int cell_y(int r) const { return y0 + r * row_pitch; }
    // The column and row under a pointer position (outside: beyond the grid).
    void locate(int x, int y, int *column, int *r) const
    {
        *r = y >= y0 ? (y - y0) / row_pitch : -1;
        int dx = x - x0;
        if (hexagons && *r >= 0 && (j2d - *r) % 2 == 0)
            dx -= size / 2;
        if (group_gap)
            dx -= (dx / (8 * size + group_gap)) * group_gap;
        *column = dx >= 0 ? dx / size : -1;
    }
};

// The grid of a string drawn from the current point with pitch size.
grid_view
make_view(int k, int kind, int high, int low, int size, int gap)
{
    grid_view v;
    v.kind = kind;
    v.g.high = grid_high(kind, high);
    v.g.low = low;
    v.g.row = grid_row_width(k, kind, high, low);
    v.g.rows = grid_rows(kind, v.g.high, low, v.g.row);
    v.g.entries = static_cast<uint32_t>(string_entries(kind, k));
    v.x0 = getx;
    v.y0 = gety;
    v.size = size;
    v.gap = size < 4 || show_2d_divs == 0 ? 1 : show_2d_divs == 1 ? 2 : gap;
    v.group_gap = kind != 0 ? (Maxx >= 799 ? 3 : 2) : 0;
    v.hexagons = hex_cells && vgax(v.size) > 2;
    v.row_pitch = v.hexagons ? static_cast<int>(v.size * std::cos(M_PI / 6)) : v.size;
    return v;
}

// Draws one cell of value at (x, y), the dot on a 0 cell when show_dots.
void
draw_cell(const grid_view &v, int value, int x, int y)
{
    setfillstyle(0, color_v[value]);
    if (v.hexagons) {
        double rad = 2.0 * v.size * std::cos(M_PI / 6) / 3.0;
        draw_hexagonal_2d_cell(rad, v.size, show_2d_divs, show_dots && value == 0, color_v[value],
                               x, y);
        return;
    }
    bar(x, y, x + v.size - v.gap, y + v.size - v.gap);
    if (show_dots && value == 0 && v.size > 3)
        putpixel(x + v.size / 2 - 1, y + v.size / 2 - 1, green);
}

// Sets the brush's cells to value and draws them.
void
paint(const grid_view &v, uint8_t *string, const std::vector<uint32_t> &cells, int value)
{
    for (uint32_t cell : cells) {
        int p = v.g.high - static_cast<int>(cell);
        int column = p % v.g.row, r = p / v.g.row;
        int x = v.cell_x(column, r), y = v.cell_y(r);
        draw_and_set_value_line(string, value, v.g.high, p, v.size, show_2d_divs,
                                x, y, x + v.size - v.gap, y + v.size - v.gap);
    }
}

// The state's maximum index per axis for the part prompts.
void
axis_max(int dim, int max[3])
{
    max[0] = dim == 1 ? static_cast<int>(lineL) - 1 : dim == 2 ? i2d - 1 : i3d - 1;
    max[1] = dim == 2 ? j2d - 1 : dim == 3 ? j3d - 1 : 0;
    max[2] = dim == 3 ? h3d - 1 : 0;
}

// One coordinate typed at the prompt (up to 3 characters).
int
ask_coordinate(const char *label)
{
    outtext(label);
    input_string(3, text_entry);
    return is[0] == kKeyReturn ? -1 : static_cast<int>(entry_number());
}

// The part of the state to save: typed, or on a 2d lattice 'p' for the
// rectangle between the last two cursor cells (corner[0..3]: i, j, i, j).
// Its prompt box is drawn over the file menu's box of box_lines lines whole:
// a shorter one would leave the rest of the menu's frame standing below it.
// Returns false when the user backed out.
bool
ask_part(int dim, const int corner[4], int box_lines, patch_bounds *b)
{
    int max[3];
    axis_max(dim, max);
    int margin = draw_prompt_box(box_lines);
    char text[160];
    if (dim == 1)
        snprintf(text, sizeof text, "1d: max i=%d, enter start/end", max[0]);
    else if (dim == 2)
        snprintf(text, sizeof text,
                 "2d: max i,j=%d,%d, enter start/end coords, or patch %d,%d-%d,%d -p:", max[0],
                 max[1], corner[0], corner[1], corner[2], corner[3]);
    else
        snprintf(text, sizeof text, "3d: max i,j,h=%d,%d,%d enter start/end coords", max[0],
                 max[1], max[2]);
    outtext(text);
    b->dim = dim;
    if (dim == 2) {
        input_string(1, single_key_entry);
        if (is[0] == 'q')
            return false;
        if (is[0] == 'p') {
            b->start[0] = corner[0], b->start[1] = corner[1];
            b->end[0] = corner[2], b->end[1] = corner[3];
            for (int a = 0; a < 2; a++)
                order_patch_bounds(&b->start[a], &b->end[a], max[a]);
            return true;
        }
    }
    moveto(margin, gety + CHeight);
    const char *starts[3] = {"start i:", " j:", " h:"}, *ends[3] = {" end i:", " j:", " h:"};
    for (int a = 0; a < dim; a++)
        b->start[a] = ask_coordinate(starts[a]);
    for (int a = 0; a < dim; a++)
        b->end[a] = ask_coordinate(ends[a]);
    for (int a = 0; a < dim; a++)
        order_patch_bounds(&b->start[a], &b->end[a], max[a]);
    return true;
}

// The whole state's picture shape: the lattice's sides (a 3d block as its
// layers stacked, i3d wide), or for 1d the 2d view the seed dialog set, one
// row of all cells while it has none.
void
tex_shape(int dim, int *cols, int *rows)
{
    *cols = dim == 3 ? i3d : i2d;
    *rows = dim == 3 ? j3d * h3d : j2d;
    if (dim == 1 && (*cols < 1 || *rows < 1)) {
        *cols = lineL;
        *rows = 1;
    }
}

// The file menu of a state, its cells drawn size pixels apart. Returns true
// when the state was reloaded. Its box takes the place of the key help's
// (help_lines of them) whole, so that no line of the help shows half under
// its edge.
bool
file_menu(uint8_t *string, int dim, const int corner[4], int size, int help_lines)
{
    int16_t x = getx, y = gety;
    int lines = std::max(2, help_lines);
    get_prompt_box(kPromptSlot, lines);
    int margin = draw_prompt_box(lines);
    outtext("SEED: load-l, save-s, save part-S");
    moveto(margin, gety + CHeight);
    outtext("save tex file for LATEX picture -t, save part-T:");
    // The Shift of 'S' or 'T' arrives as a key of its own, without text:
    // the menu waits for the key it modifies.
    do
        input_string(1, single_key_entry);
    while (is[0] == 0);
    char key = is[0];
    bool reloaded = false;
    if (key == 'l') {
        load_save_wrs('l', string, kSeedFile);
        reloaded = true;
    } else if (key == 's') {
        load_save_wrs('s', string, kSeedFile);
    } else if (key == 't') {
        int cols, rows;
        tex_shape(dim, &cols, &rows);
        save_to_tex(string, cols, rows, h3d, lineL, size, show_2d_divs, show_dots, hex_cells);
    } else if (key == 'T') {
        patch_bounds b;
        if (ask_part(dim, corner, lines, &b)) {
            int width = dim == 3 ? i3d : i2d, depth = dim == 3 ? j3d : j2d;
            std::vector<uint8_t> part = copy_state_part(string, b, width, depth);
            // A 3d part's layers stacked, as the whole block is.
            save_to_tex(part.data(), patch_extent(b, 0), patch_extent(b, 1) * patch_extent(b, 2),
                        patch_extent(b, 2), patch_cells(b), size, show_2d_divs, show_dots,
                        hex_cells);
        }
    } else if (key == 'S') {
        patch_bounds b;
        char name[32];
        snprintf(name, sizeof name, "mypch_v%d", value_range);
        if (ask_part(dim, corner, lines, &b) && choose_file("SAVE", "PATCH", "*.eed", name)) {
            int width = dim == 3 ? i3d : i2d, depth = dim == 3 ? j3d : j2d;
            std::vector<uint8_t> bytes = encode_seed_patch(string, b, width, depth);
            if (!write_file(filename, bytes.data(), bytes.size()))
                file_error(filename);
        }
    }
    putimage(Maxx / 2, 2, &boximage_prompt[kPromptSlot], 3);
    freeimage(&boximage_prompt[kPromptSlot]);
    moveto(x, y);
    return reloaded;
}

// The largest rot_size + would allow.
bool
rot_size_fits(int kind, int k)
{
    int next = rot_size + 1;
    if (kind != 0)
        return next < static_cast<int>(8 * value_line_bytes(string_entries(kind, k), value_bits)) - 2;
    if (threed)
        return next < i3d - 2 && next < j3d - 2 && next < h3d - 2;
    if (twod)
        return next < i2d - 2 && next < j2d - 2;
    return next < static_cast<int>(lineL) - 2;
}

// Erases the isometric 3d picture right of the grid.
void
erase_3d_view(int right_x)
{
    double s = std::sin(M_PI / 4);
    int x0 = right_x + 5 * CWidth;
    int y1 = tview_y1 - vgay(5) - h3d * fscale;
    int y0 = static_cast<int>(y1 - j3d * fscale * s);
    erase_box(x0, y0, static_cast<int>(x0 + i3d * fscale + j3d * fscale * s),
              tview_y1 - vgay(5));
}

// The width prompt: a value in 1..max becomes the brush width.
void
ask_width(int *w, int max)
{
    get_prompt_box(kPromptSlot, 1);
    draw_prompt_box(1);
    char text[80];
    snprintf(text, sizeof text, "reset line width (now %d) max %d:", *w, max);
    outtext(text);
    input_string(2, numeric_entry);
    if (is[0] != 'q')
        *w = static_cast<int>(entry_held(*w, {1, static_cast<double>(max)}, true));
    putimage(Maxx / 2, 2, &boximage_prompt[kPromptSlot], 3);
    freeimage(&boximage_prompt[kPromptSlot]);
}

// ---- The editor's keys.

// The editor while it runs: its form, the string and its grid, the cursor
// and the brush. The rows' conditions read only the form, so the help is
// drawn from an editor holding nothing else.
struct cell_editor {
    cell_form form = {0, 1, true};
    int k = 0;
    uint8_t *string = nullptr;
    int *size = nullptr;  // the cell size the caller keeps
    int right_x = 0;      // the grid's right end
    int16_t x_entry = 0, y_entry = 0;
    grid_view v;
    int p = 0;            // the cursor's position
    bool on_string = false; // the cursor is on a cell of the string
    int brush = 1, left_value = 1, right_value = 0;
    int corner[4] = {0, 0, 0, 0};

    int column() const { return p % v.g.row; }
    int row() const { return p / v.g.row; }
};

// After a key the editor goes on, or returns: accepted, quit, or to be
// drawn again.
enum class after_key { edit_on, accept, quit, redraw };

using cell_key = key_row<cell_editor, after_key>;

bool
typing(const cell_editor &e)
{
    return e.form.typing;
}

// Digit d sets cells where it is a value of the network.
template <int d>
bool
value_key(const cell_editor &e)
{
    return e.form.typing && d < value_range;
}

bool
mouse_in_use(const cell_editor &)
{
    return mouse_found != 0;
}

bool
state(const cell_editor &e)
{
    return e.form.kind == 0;
}

// The grid has dim dimensions.
template <int dim>
bool
grid_of(const cell_editor &e)
{
    return e.form.dim == dim;
}

// A grid of one row after another: a 1d state, a rule table or a code.
constexpr auto line_grid = grid_of<1>;
constexpr auto plane = grid_of<2>;
constexpr auto cube = grid_of<3>;

// A 2d or 3d lattice, or a 1d state shown as 2d.
bool
lattice(const cell_editor &e)
{
    return e.form.dim > 1;
}

after_key
type_value(cell_editor &e, char key)
{
    if (!e.on_string)
        return after_key::edit_on;
    int value = key - '0';
    e.left_value = value;
    e.right_value = value_range - 1 - value;
    paint(e.v, e.string, brush_cells(e.v.g, e.column(), e.row(), e.brush, 0, 1), value);
    e.p = move_cursor(e.v.g, e.p, cursor_move::right);
    return after_key::edit_on;
}

// 'v': the brush across the cursor's row in the left value, then one row down.
after_key
draw_across(cell_editor &e, char)
{
    if (!e.on_string)
        return after_key::edit_on;
    paint(e.v, e.string, brush_cells(e.v.g, e.column(), e.row(), e.brush, 1, 0), e.left_value);
    e.p = move_cursor(e.v.g, e.p, cursor_move::down);
    return after_key::edit_on;
}

// The arrows: the cursor one cell the arrow's way.
template <cursor_move way>
after_key
move(cell_editor &e, char)
{
    e.p = move_cursor(e.v.g, e.p, way);
    return after_key::edit_on;
}

after_key
brush_width(cell_editor &e, char)
{
    ask_width(&e.brush, brush_width_limit(e.v.g));
    return after_key::edit_on;
}

after_key
toggle_zero_colour(cell_editor &, char)
{
    color_v[0] = color_v[0] == black ? darkgray : black;
    return after_key::redraw;
}

// A display switch ('.', 'i', 'x') turned over; the grid is drawn again.
template <uint8_t *flag>
after_key
toggle(cell_editor &, char)
{
    *flag = !*flag;
    return after_key::redraw;
}

// 'U' and 'D': the part of a 2d grid shown moves up or down five rows, a
// 3d one a layer.
after_key
pan(cell_editor &e, char key)
{
    if (key == 'U') {
        if (e.form.dim == 3 && start_h3d > 1)
            start_h3d--;
        else if (e.form.dim == 2 && start_j2d >= 10)
            start_j2d = static_cast<int16_t>(start_j2d - 5);
    } else {
        if (e.form.dim == 3 && start_h3d <= h3d - 2)
            start_h3d++;
        else if (e.form.dim == 2 && start_j2d <= j2d - 10)
            start_j2d = static_cast<int16_t>(start_j2d + 5);
    }
    return after_key::redraw;
}

// 'e' and 'c': the cells one pixel larger or smaller.
after_key
resize_cells(cell_editor &e, char key)
{
    if (e.form.dim == 3)
        erase_3d_view(e.right_x);
    if (key == 'e' && *e.size < 127)
        ++*e.size;
    else if (key == 'c' && *e.size > 1)
        --*e.size;
    return after_key::redraw;
}

// 'E' and 'C': the isometric picture of a 3d state larger or smaller.
after_key
resize_picture(cell_editor &e, char key)
{
    erase_3d_view(e.right_x);
    if (key == 'E' && fscale < 127)
        fscale++;
    else if (key == 'C' && fscale > 1)
        fscale--;
    return after_key::redraw;
}

// The shifts by rot_size cells: along the string, or in the directions of
// the lattice.
after_key
rotate(cell_editor &e, char key)
{
    if (e.form.dim == 3)
        rotate_array_3d(e.string, key, rot_size);
    else if (e.form.dim == 2)
        rotate_array_2d(e.string, key, rot_size);
    else
        rotate_array(e.k, e.string, key, e.form.kind, rot_size, 0,
                     static_cast<int>(e.v.g.entries));
    return after_key::redraw;
}

after_key
more_rotation(cell_editor &e, char)
{
    if (rot_size_fits(e.form.kind, e.k))
        rot_size++;
    return after_key::edit_on;
}

after_key
less_rotation(cell_editor &, char)
{
    if (rot_size > 1)
        rot_size--;
    return after_key::edit_on;
}

after_key
spin(cell_editor &e, char)
{
    if (e.form.dim == 3)
        v_spin_array_3d(e.string);
    else
        v_spin_array_2d(e.string);
    return after_key::redraw;
}

after_key
flip(cell_editor &e, char key)
{
    flip_array_2d(e.string, hex_cells, key);
    return after_key::redraw;
}

after_key
complement(cell_editor &e, char)
{
    bool whole_state = e.form.kind == 0;
    const cell_grid &g = e.v.g;
    // The positions edited, less those of a grid wider than the string (the
    // short last row of a 1d state shown as 2d), which are no cells.
    uint32_t positions = std::min(static_cast<uint32_t>(g.high - g.low + 1), g.entries);
    complement_string(e.string, value_range == 2 ? g.entries : positions, whole_state);
    if (value_range == 2 && whole_state)
        bias_density = 100.0f - bias_density;
    return after_key::redraw;
}

after_key
redraw(cell_editor &, char)
{
    return after_key::redraw;
}

after_key
open_file_menu(cell_editor &e, char)
{
    moveto(e.x_entry, e.y_entry);
    bool reloaded = file_menu(e.string, e.form.dim, e.corner, e.v.size, cell_help_box_lines(e.form));
    return reloaded ? after_key::redraw : after_key::edit_on;
}

after_key
accept(cell_editor &, char)
{
    return after_key::accept;
}

after_key
quit(cell_editor &, char)
{
    return after_key::quit;
}

std::string
value_keys_help(const cell_editor &)
{
    return "\nkeys: set/select/draw value " + std::to_string(value_range - 1) + "-0";
}

// The size keys of a lattice, on the line of the panning keys.
std::string
lattice_size_help(const cell_editor &e)
{
    return e.form.dim == 3 ? " exp/contr-e/c E/C" : " exp/contr-e/c ";
}

std::string
rotate_help(const cell_editor &e)
{
    if (e.form.dim == 3)
        return "\nrotate-l/r/b/f/u/d/+/-,";
    if (e.form.dim == 2)
        return "\nrotate-l/r/u/d/+/-,";
    return " rotate-l/r/+/-,";
}

constexpr char kRightKey[] = {static_cast<char>(kKeyRight), 0};
constexpr char kLeftKeys[] = {static_cast<char>(kKeyLeft), static_cast<char>(kKeyErase), 0};
constexpr char kDownKey[] = {static_cast<char>(kKeyDown), 0};
constexpr char kUpKey[] = {static_cast<char>(kKeyUp), 0};

// The editor's keys in the order of its help: setting cells and moving the
// cursor; the display; the whole-string operations and the ends. A key acts
// only in the forms where its help is shown (find_key).
const cell_key kCellKeys[] = {
    cell_key::on("0").help(value_keys_help).when(typing).does(type_value),
    cell_key::on("1").when(typing).does(type_value),
    cell_key::on("2").when(value_key<2>).does(type_value),
    cell_key::on("3").when(value_key<3>).does(type_value),
    cell_key::on("4").when(value_key<4>).does(type_value),
    cell_key::on("5").when(value_key<5>).does(type_value),
    cell_key::on("6").when(value_key<6>).does(type_value),
    cell_key::on("7").when(value_key<7>).does(type_value),
    cell_key::on("v").help(", vert-v").when(typing).does(draw_across),
    // The buttons, which the editor takes before it reads a key.
    cell_key::on("").help("\nmouse: move-click, draw selected-keep pressed").when(mouse_in_use),
    cell_key::on(kRightKey).help(", move-arrows").does(move<cursor_move::right>),
    cell_key::on(kLeftKeys).does(move<cursor_move::left>),
    cell_key::on(kDownKey).does(move<cursor_move::down>),
    cell_key::on(kUpKey).does(move<cursor_move::up>),

    cell_key::on("w").help("\nwidth-w").does(brush_width),
    cell_key::on("^").help(", togzero:color/dots-^/. ").does(toggle_zero_colour),
    cell_key::on(".").does(toggle<&show_dots>),
    cell_key::on("U").help(", pan2d up/down-U/D").when(lattice).does(pan),
    cell_key::on("D").when(lattice).does(pan),
    cell_key::on("ec").help(lattice_size_help).when(lattice).does(resize_cells),
    cell_key::on("EC").when(cube).does(resize_picture),

    cell_key::on("ec").help("\nexp/contr-e/c").when(line_grid).does(resize_cells),
    cell_key::on("lr").help(rotate_help).does(rotate),
    cell_key::on("ud").when(lattice).does(rotate),
    cell_key::on("bf").when(cube).does(rotate),
    cell_key::on("+").does(more_rotation),
    cell_key::on("-").does(less_rotation),
    cell_key::on("i").help(" divs-i").does(toggle<&show_2d_divs>),
    cell_key::on("s").help(" spin-s").when(lattice).does(spin),
    cell_key::on("hV").help(" flip-h/V").when(plane).does(flip),
    cell_key::on("m").help(" comp-m").does(complement),
    cell_key::on("t").help(" update3d-t").when(cube).does(redraw),
    cell_key::on("x").help(" toghex-x").when(state).does(toggle<&hex_cells>),
    cell_key::on("F").help(" file-F").when(state).does(open_file_menu),
    cell_key::on("\r").help(" accept-ret").does(accept),
    cell_key::on("q").help(" quit-q").does(quit),
};

// The row a key code acts by in the editor's form, or nullptr; codes
// beyond a char's range are keys of no row.
const cell_key *
key_row_for(const cell_editor &e, int key)
{
    if (key < -128 || key > 127)
        return nullptr;
    return find_key(kCellKeys, static_cast<char>(key), e);
}

} // namespace

int
grid_dimension(int kind)
{
    if (kind != 0)
        return 1;
    if (threed)
        return 3;
    return twod || showbits_1d_as_2d ? 2 : 1;
}

int
grid_high(int kind, int high)
{
    int dim = grid_dimension(kind);
    if (dim == 3)
        return (start_h3d + 1) * i3d * j3d - 1;
    if (dim == 2)
        return i2d + i2d * start_j2d - 1;
    return high;
}

int
grid_row_width(int k, int kind, int high, int low)
{
    int8_t scale = cellscale, sep = cellsep;
    int row = set_cellscale(k, kind);
    cellscale = scale;
    cellsep = sep;
    if (kind != 0 && value_range > 2)
        return std::max(row, 128);
    if (kind != 0 && value_range == 2 && (kind == 2 || k < 6))
        return high - low + 1;
    return row;
}

int
grid_rows(int kind, int high, int low, int row)
{
    if (grid_dimension(kind) > 1)
        return j2d;
    return (high - low + row) / row;
}

void
showbitcount(int kind, int high, int p, int row, int column, int size)
{
    char where[64], text[96];
    int index = high - p;
    if (p > high || column >= row) {
        snprintf(text, sizeof text, "outside grid");
    } else {
        if (kind == 1)
            snprintf(where, sizeof where, "rule index=%d", index);
        else if (kind == 2)
            snprintf(where, sizeof where, "tcode index=%d", index);
        else if (grid_dimension(0) == 3)
            snprintf(where, sizeof where, "3d index ijh=%dx%dx%d", index % i3d,
                     (index % (i3d * j3d)) / i3d, index / (i3d * j3d));
        else if (grid_dimension(0) == 2)
            snprintf(where, sizeof where, "2d index ij=%dx%d", index % i2d, index / i2d);
        else
            snprintf(where, sizeof where, "1d index=%d", index);
        snprintf(text, sizeof text, "%s, scale=%d rot=%d", where, size, rot_size);
    }
    int colour = getcolor();
    setcolor(white);
    inset_prompt_box(23, text);
    setcolor(colour);
}

void
draw_and_set_value_line(uint8_t *string, int value, int high, int p, int size, int divs, int x0,
                        int y0, int x1, int y1)
{
    set_value(string, static_cast<uint32_t>(high - p), value);
    setfillstyle(0, color_v[value]);
    if (hex_cells && vgax(size) > 2) {
        double rad = 2.0 * size * std::cos(M_PI / 6) / 3.0;
        draw_hexagonal_2d_cell(rad, size, divs, show_dots && value == 0, color_v[value], x0, y0);
        return;
    }
    bar(x0, y0, x1, y1);
    if (value == 0 && size >= 4 && divs == 1)
        putpixel(x0 + size / 2 - 1, y0 + size / 2 - 1, green);
}

cell_edit_outcome
input_string_cell(int k, int kind, uint8_t *string, int high, int low, int typing, int *size,
                  int gap, int right_x, int bottom_y)
{
    cell_editor e;
    e.form = {kind, grid_dimension(kind), typing != 0};
    e.k = k;
    e.string = string;
    e.size = size;
    e.right_x = right_x;
    e.x_entry = getx;
    e.y_entry = gety;
    e.v = make_view(k, kind, high, low, *size, gap);
    e.left_value = value_range - 1;
    grid_view &v = e.v;
    // On a 2d grid the cells the cursor last left and reached, as i, j.
    auto cursor_moved = [&](int from) {
        if (e.form.dim != 2)
            return;
        e.corner[0] = (v.g.high - from) % i2d, e.corner[1] = (v.g.high - from) / i2d;
        e.corner[2] = (v.g.high - e.p) % i2d, e.corner[3] = (v.g.high - e.p) / i2d;
    };

    after_key step = after_key::edit_on;
    while (step == after_key::edit_on) {
        int column = e.column(), r = e.row();
        if (k > 2)
            showbitcount(kind, v.g.high, e.p, v.g.row, column, v.size);
        moveto(v.cell_x(column, r), v.cell_y(r));
        int block = v.size - v.gap + 1;
        flashing_cursor({0, -vgay(4), block, block, white}, {v.x0, right_x, v.y0, bottom_y});
        if (button == 'l' || button == 'r') {
            bool left = button == 'l';
            int value = left ? e.left_value : e.right_value;
            char text[40];
            if (value_range == 2)
                snprintf(text, sizeof text, left ? "left button: set 1s" : "right button: set 0s");
            else
                snprintf(text, sizeof text, left ? "left button: set %ds" : "right button: set %ds",
                         value);
            inset_prompt_box(23, text);
            int c, rr;
            v.locate(mouse_x, mouse_y, &c, &rr);
            if (writable_cell(v.g, c, rr) >= 0) {
                int from = e.p;
                e.p = rr * v.g.row + c;
                cursor_moved(from);
            }
            do {
                v.locate(mouse_x, mouse_y, &c, &rr);
                paint(v, string, brush_cells(v.g, c, rr, e.brush, 1, 1), value);
            } while (next_drag_motion());
            button = 0;
            continue;
        }
        int key = keycheck(0);
        int from = e.p;
        e.on_string = writable_cell(v.g, column, r) >= 0;
        const cell_key *row = key_row_for(e, key);
        if (row != nullptr && row->act != nullptr)
            step = row->act(e, static_cast<char>(key));
        if (e.p != from)
            cursor_moved(from);
    }
    moveto(e.x_entry, e.y_entry);
    if (step == after_key::accept) {
        is[0] = kKeyReturn;
        return cell_edit_outcome::accept;
    }
    if (step == after_key::quit) {
        is[0] = 'q';
        return cell_edit_outcome::quit;
    }
    is[0] = 'r';
    return cell_edit_outcome::redraw;
}

std::vector<key_help_line>
cell_editor_help(const cell_form &form)
{
    cell_editor e;
    e.form = form;
    return key_help(kCellKeys, e);
}

int
cell_help_box_lines(const cell_form &form)
{
    int count = 1;
    for (const std::string &line : help_lines(cell_editor_help(form)))
        count += prompt_box_lines(line.c_str());
    return count;
}

bool
cell_editor_takes(const cell_form &form, int key)
{
    cell_editor e;
    e.form = form;
    return key_row_for(e, key) != nullptr;
}

void
draw_string_grid(int k, int kind, const uint8_t *string, int high, int low, int size, int gap,
                 int *right_x, int *bottom_y)
{
    int16_t x = getx, y = gety;
    grid_view v = make_view(k, kind, high, low, size, gap);
    *right_x = v.x0;
    *bottom_y = v.y0;
    for (int p = 0; p <= v.g.last_position(); p++) {
        int column = p % v.g.row, r = p / v.g.row;
        int cx = v.cell_x(column, r), cy = v.cell_y(r);
        if (setting_seed && cy + v.size > tview_y1 - 1)
            break;
        uint32_t cell = static_cast<uint32_t>(v.g.high - p);
        // Filler positions past the string show value 0.
        draw_cell(v, cell < v.g.entries ? get_value(string, cell) : 0, cx, cy);
        if (cx + v.size > *right_x)
            *right_x = cx + v.size;
        *bottom_y = cy + v.row_pitch;
    }
    moveto(x, y);
}
