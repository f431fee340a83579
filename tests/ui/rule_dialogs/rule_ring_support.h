// The fixture base of the rule dialogs' window tests: a scratch folder to
// save rules in, a v = 2 1d network whose rules are set, and a ring of n
// cells of k inputs built with the rule, code and wiring arrays the dialogs
// read. Each fixture frees what it built in its own TearDown.
#pragma once
#include "support/x_test_fixture.h"
#include "support/work_dir.h"

#include <cstdint>
#include <cstring>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/wire_up.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

class RuleRingTest : public ScreenTest {
protected:
    work_dir work;
    bool built = false;

    // After ScreenTest::SetUp: the scratch folder dir entered, and a v = 2
    // 1d network of rule tables, neither totalistic nor mixed, with its
    // rules set. False when the folder could not be entered.
    bool set_up_rule_network(const char *dir)
    {
        if (!work.enter(dir))
            return false;
        value_range = 2;
        value_bits = 1;
        Maxnhood = 13;
        oned = 1;
        twod = threed = 0;
        tot_only = outer_tot = rulemix = nhood_mixed = 0;
        rules_set = true;
        totalistic = rule_kind_tables;
        return true;
    }
    // The dialog's text column, as the set-up writes it: its lines a line
    // height apart from the column's first line.
    static void text_column_start()
    {
        xtext = static_cast<float>(vgax(50)) / CWidth;
        moveto(vgax(50), text_column_top() + 3 * CHeight);
    }
    // A ring of n cells of k inputs: its rule arrays (none when only the
    // totalistic codes are kept), codes and local wiring.
    void make_ring(int n, int k)
    {
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
        nhood = static_cast<int8_t>(k);
        nhood_lb = nhood_ub = static_cast<uint8_t>(k);
        nhoodm = static_cast<int8_t *>(checked_calloc(n, 1, "nhoodm"));
        memset(nhoodm, k, n);
        if (!tot_only) {
            allocate_mem_rule0(k);
            allocate_mem_rule0_extra(k);
            allocate_mem_all_0s_all_1s_rules(k);
        }
        set_up_v_code();
        allocate_mem_tcode0(k);
        allocate_mem_wiring();
        for (int c = 0; c < n; c++)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
        built = true;
    }
};
