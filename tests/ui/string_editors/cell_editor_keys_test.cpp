// The cell editor's key help against its key table: in every form of the
// editor (a rule table, a code, a 1d state, a 1d state shown as 2d, a 2d and
// a 3d state; with and without a mouse; every value range), each piece of
// the help names exactly the keys of the rows it stands for, and the keys
// the editor takes are exactly the keys the help shows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "engine/rules/globals.h"
#include "support/help_keys.h"
#include "ui/screen/globals.h"
#include "ui/string_editors/cell_editor.h"

namespace {

struct globals_kept {
    uint8_t one = oned, two = twod, three = threed, as_2d = showbits_1d_as_2d, mouse = mouse_found;
    int8_t v = value_range;
    ~globals_kept()
    {
        oned = one;
        twod = two;
        threed = three;
        showbits_1d_as_2d = as_2d;
        mouse_found = mouse;
        value_range = v;
    }
};

// The network's shape as the seed dialog leaves it: 0 a 1d network, 1 a 1d
// network shown as 2d, 2 a 2d and 3 a 3d lattice.
void
set_shape(int shape)
{
    oned = shape <= 1;
    twod = shape == 2 ? 2 : 0;
    threed = shape == 3 ? 3 : 0;
    showbits_1d_as_2d = shape == 1;
}

// The form of the editor for a string of kind in the shape set.
cell_form
form_of(int kind, bool typing)
{
    return {kind, grid_dimension(kind), typing};
}

std::vector<std::string>
lines_shown(int kind)
{
    return help_lines(cell_editor_help(form_of(kind, true)));
}

TEST(CellEditorKeys, EveryPieceNamesTheKeysOfItsRowsAndNoOtherKeyActs)
{
    globals_kept kept;
    for (int shape = 0; shape < 4; shape++)
        for (int kind = 0; kind < 3; kind++)
            for (int v = 2; v <= 8; v++)
                for (int mouse = 0; mouse < 2; mouse++)
                    for (bool typing : {true, false}) {
                        set_shape(shape);
                        value_range = static_cast<int8_t>(v);
                        mouse_found = static_cast<uint8_t>(mouse);
                        cell_form form = form_of(kind, typing);
                        std::string where = "shape " + std::to_string(shape) + " kind " +
                                            std::to_string(kind) + " v " + std::to_string(v) +
                                            " mouse " + std::to_string(mouse) + " typing " +
                                            std::to_string(typing);
                        std::vector<key_help_line> help = cell_editor_help(form);
                        for (const key_help_line &piece : help) {
                            if (piece.keys.empty()) { // the buttons' help: no key of the table
                                EXPECT_EQ(piece.text.rfind("\nmouse:", 0), 0u) << where;
                            }
                        }
                        check_pieces_against_keys(
                            help, prompt_keys, [&form](char key) { return cell_editor_takes(form, key); },
                            where);
                    }
}

// The keys a form's grid has and the help names: the flips of a plane only
// there, the cell size, the lattice's pan and the divisions in every form
// that acts on them, the hexagon toggle for every state, quit everywhere.
TEST(CellEditorKeys, TheHelpLinesOfEachForm)
{
    globals_kept kept;
    value_range = 2;
    mouse_found = 1;
    set_shape(0);
    EXPECT_EQ(lines_shown(0),
              (std::vector<std::string>{
                  "keys: set/select/draw value 1-0, vert-v",
                  "mouse: move-click, draw selected-keep pressed, move-arrows",
                  "width-w, togzero:color/dots-^/. ",
                  "exp/contr-e/c rotate-l/r/+/-, divs-i comp-m toghex-x file-F accept-ret quit-q"}));
    EXPECT_EQ(lines_shown(1).back(),
              "exp/contr-e/c rotate-l/r/+/-, divs-i comp-m accept-ret quit-q");
    const std::vector<std::string> plane = {
        "keys: set/select/draw value 1-0, vert-v",
        "mouse: move-click, draw selected-keep pressed, move-arrows",
        "width-w, togzero:color/dots-^/. , pan2d up/down-U/D exp/contr-e/c ",
        "rotate-l/r/u/d/+/-, divs-i spin-s flip-h/V comp-m toghex-x file-F accept-ret quit-q"};
    set_shape(1);
    EXPECT_EQ(lines_shown(0), plane);
    set_shape(2);
    EXPECT_EQ(lines_shown(0), plane);
    set_shape(3);
    value_range = 4;
    mouse_found = 0;
    EXPECT_EQ(lines_shown(0),
              (std::vector<std::string>{
                  "keys: set/select/draw value 3-0, vert-v, move-arrows",
                  "width-w, togzero:color/dots-^/. , pan2d up/down-U/D exp/contr-e/c E/C",
                  "rotate-l/r/b/f/u/d/+/-, divs-i spin-s comp-m update3d-t toghex-x file-F "
                  "accept-ret quit-q"}));
    // A rule table of a 2d network is edited as a line of cells.
    set_shape(2);
    EXPECT_EQ(lines_shown(2).back(),
              "exp/contr-e/c rotate-l/r/+/-, divs-i comp-m accept-ret quit-q");
}

} // namespace
