// The pause box's menu against its key table: in every form of the box and
// setting of the rule, wiring and code globals, each piece of the menu names
// exactly the keys of the rows it stands for, every key of the table is
// named in some form, and the lines put together are the menu's texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "support/help_keys.h"
#include "ui/forward/pause_box.h"

namespace {

struct globals_kept {
    int8_t tot = tot_only, kind = totalistic, mix = rulemix, local = loc_twod_fonly;
    int8_t wiring = nonlocal;
    int16_t order = glider_rule_order;
    ~globals_kept()
    {
        tot_only = tot;
        totalistic = kind;
        rulemix = mix;
        loc_twod_fonly = local;
        nonlocal = wiring;
        glider_rule_order = order;
    }
};

TEST(PauseBoxKeys, EveryPieceNamesTheKeysOfItsRows)
{
    globals_kept kept;
    std::set<char> named;
    for (int form = 0; form < 64; form++) {
        bool full = form & 1, single = form & 2;
        tot_only = (form & 4) ? 1 : 0;
        rulemix = (form & 8) ? 1 : 0;
        loc_twod_fonly = (form & 16) ? 1 : 0;
        nonlocal = (form & 32) ? 1 : 0;
        expect_pieces_name_their_keys(pause_box_menu(full, single), menu_keys, named,
                                      "form " + std::to_string(form));
    }
    EXPECT_EQ(named, key_set(pause_box_keys()));
}

TEST(PauseBoxKeys, TheLinesAreTheMenusTexts)
{
    globals_kept kept;
    tot_only = rulemix = loc_twod_fonly = nonlocal = 0;
    glider_rule_order = glider_order_random;
    EXPECT_EQ(help_lines(pause_box_menu(true, true)),
              (std::vector<std::string>{
                  "prtscrn with/out box-p/P savescrn-V hide-W, sample:load/keep-E/K",
                  "rule:save/load/revise/rnd/trans-s/l/v/r/t, net-n canal-C",
                  "tog graph-g, Z:higher/lower-Z/z, fixed border-B, tog glider order(rnd/seq)-G",
                  "state:rev-e rnd/Ham/blk/orig-R/H/k/o sng:pos/neg-5/6 save/load-S/L",
                  "filter-f skip-X pause-N step-x/+ top-T no-ops-Q back-q cont-ret:"}));
    nonlocal = 1;
    EXPECT_EQ(help_lines(pause_box_menu(true, true)).back(),
              "tog wiring-7, filter-f skip-X pause-N step-x/+ top-T back-q cont-ret:");
    tot_only = 1;
    rulemix = 1;
    glider_rule_order = 0;
    std::vector<std::string> lines = help_lines(pause_box_menu(true, true));
    EXPECT_EQ(lines[0], "prtscrn with/out box-p/P savescrn-V hide-W");
    EXPECT_EQ(lines[1], "rule:save/load/revise/rnd-s/l/v/r, net-n canal-C");
    EXPECT_EQ(lines[2], "tog graph-g, fixed border-B, tog g-order(seq/rnd)-G");
    tot_only = rulemix = nonlocal = 0;
    loc_twod_fonly = 1;
    EXPECT_EQ(help_lines(pause_box_menu(false, true)),
              (std::vector<std::string>{"rule:save/load/revise/rnd/trans-s/l/v/r/t",
                                        "bitflip-1, flip ends-w/b, Z:higher/lower-Z/z",
                                        "seed:rev-e rand/blk-R/k sng:pos/neg-5/6 save/load-S/L",
                                        "goback-q cont-ret:"}));
    EXPECT_EQ(help_lines(pause_box_menu(false, false)).size(), 3u);
}

} // namespace
