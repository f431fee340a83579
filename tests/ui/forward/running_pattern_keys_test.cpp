// The running pattern's key table against the key panel drawn from it: in
// every display form and setting of the rule, wiring and measure globals,
// each panel line names exactly the keys of the rows it stands for, every
// key named is acted on by a row (or, for 'q', by the run loop), and every
// key of the table is named in some setting. The keys of what the graph
// layout's box covers are neither named nor act while it is on.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/wiring/globals.h"
#include "support/help_keys.h"
#include "ui/forward/running_pattern_keys.h"
#include "ui/screen/globals.h"

namespace {

struct globals_kept {
    uint8_t mode = d_mode, scroll = scrolling, graph = stpgraph, diff = diff_plot, tot = tot_only;
    int8_t kind = totalistic, mix = rulemix, local = loc_twod_fonly;
    int v = value_range;
    uint8_t layout = graph_layout, one = oned, two = twod, three = threed, drawn = stp;
    uint8_t matrix = show_ss_matrixF;
    char way = direction;
    ~globals_kept()
    {
        oned = one;
        twod = two;
        threed = three;
        stp = drawn;
        direction = way;
        d_mode = mode;
        scrolling = scroll;
        stpgraph = graph;
        diff_plot = diff;
        tot_only = tot;
        totalistic = kind;
        rulemix = mix;
        loc_twod_fonly = local;
        value_range = static_cast<decltype(value_range)>(v);
        graph_layout = layout;
        show_ss_matrixF = matrix;
    }
};

// The row acting on key, or null; 'q' is listed for the run loop.
const running_key *
acting_row(char key)
{
    running_key_groups all = running_pattern_key_groups();
    for (size_t g = 0; g < all.count; g++) {
        const running_key *row = find_named_key(all.groups[g].rows, all.groups[g].count, key);
        if (row && row->act)
            return row;
    }
    return nullptr;
}

TEST(RunningPatternKeys, EveryPanelLineNamesTheKeysOfItsRows)
{
    globals_kept kept;
    run_iteration it{};
    entropy_graph eg{};
    running_pattern p{nullptr, nullptr, &eg, &it};
    direction = direction_forward;
    limitcheck = 0;
    stp = 1;
    const uint8_t modes[] = {display_1d, display_2d, display_2d_time, display_3d};
    std::set<char> named;
    for (int form = 0; form < 4 * 512; form++) {
        d_mode = modes[form % 4];
        int f = form / 4;
        scrolling = f & 1;
        stpgraph = static_cast<uint8_t>((f >> 1) & 3) % 3 + ((f >> 1) & 3) / 3; // 0, 1, 2, 1
        eg.hist_mode = static_cast<uint8_t>((f >> 3) & 1 ? (f & 1) + 1 : 0);
        diff_plot = (f >> 4) & 1 ? diff_plot_keep : diff_plot_off;
        tot_only = (f >> 5) & 1;
        totalistic = (f >> 6) & 1 ? rule_kind_kcodes : rule_kind_tcodes;
        rulemix = (f >> 7) & 1;
        loc_twod_fonly = (f >> 8) & 1;
        value_range = (f >> 6) & 1 ? 3 : 2;
        graph_layout = (f >> 7) & 1;
        it.disc_cells = (f >> 2) & 1;
        // The network's own dimension follows the display's now and then.
        oned = d_mode == display_1d || (f & 2);
        twod = !oned && d_mode == display_2d ? 2 : 0;
        threed = !oned && !twod ? 3 : 0;
        running_key_groups all = running_pattern_key_groups();
        for (size_t g = 0; g < all.count; g++)
            expect_pieces_name_their_keys(key_help(all.groups[g].rows, all.groups[g].count, p),
                                          panel_keys, named, "form " + std::to_string(form));
    }
    for (char key : named)
        EXPECT_TRUE(key == 'q' || acting_row(key)) << "'" << key << "' acts nowhere";
    std::set<char> every_key;
    running_key_groups all = running_pattern_key_groups();
    for (size_t g = 0; g < all.count; g++) {
        std::string keys = all_keys(all.groups[g].rows, all.groups[g].count);
        every_key.insert(keys.begin(), keys.end());
    }
    std::string unnamed;
    for (char key : every_key)
        if (!named.count(key))
            unnamed += key;
    EXPECT_EQ(unnamed, "") << "keys of the table the panel never names";
}

// The keys of every panel line listed now, in table order.
std::string
listed_keys(const running_pattern &p)
{
    std::string keys;
    running_key_groups all = running_pattern_key_groups();
    for (size_t g = 0; g < all.count; g++)
        for (const key_help_line &line : key_help(all.groups[g].rows, all.groups[g].count, p))
            keys += line.keys;
    return keys;
}

TEST(RunningPatternKeys, TheGraphLayoutTakesTheKeysOfWhatItsBoxCovers)
{
    globals_kept kept;
    run_iteration it{};
    entropy_graph eg{};
    entropy_data ae{};
    running_pattern p{nullptr, &ae, &eg, &it};
    direction = direction_forward;
    limitcheck = 0;
    stp = 1;
    d_mode = display_1d;
    diff_plot = diff_plot_off;
    stpgraph = stpgraph_lookup_bars;
    eg.hist_mode = 1;
    show_ss_matrixF = ss_view_none;
    const std::string covered = "sDyuE";
    graph_layout = 0;
    for (char key : covered)
        EXPECT_NE(listed_keys(p).find(key), std::string::npos) << "'" << key << "' not offered";
    // The side plot (s), the entropy-density plane (u) and its samples (E),
    // the return map (D) and the matrix (y).
    graph_layout = 1;
    for (char key : covered) {
        EXPECT_EQ(listed_keys(p).find(key), std::string::npos) << "'" << key << "' offered";
        // 'E' samples on the plane: pressed with it shown.
        eg.ed_plot = key == 'E';
        const running_key *row = acting_row(key);
        ASSERT_TRUE(row);
        row->act(p, key);
        EXPECT_EQ(stpgraph, stpgraph_lookup_bars) << "'" << key << "' changed the side plot";
        EXPECT_EQ(eg.hist_mode, 1) << "'" << key << "' changed the side plot";
        EXPECT_EQ(eg.ed_plot, key == 'E') << "'" << key << "' changed the plane";
        EXPECT_EQ(ae.mode, 0) << "'" << key << "' started a sample";
        EXPECT_EQ(it.return_map, 0) << "'" << key << "' showed the return map";
        EXPECT_EQ(show_ss_matrixF, ss_view_none) << "'" << key << "' showed the matrix";
    }
}

} // namespace
