// The rule box on the real window: its height and edges by value range, k
// and rule kind, and the texts it copies to standard error and the data
// file when asked, for rule 110 and its neighbours among the cases; a box
// that replaces a taller or wider one leaves nothing of it.
#include "support/x_test_fixture.h"
#include "support/draw_check_allow.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <utility>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/model_test_support.h"
#include "engine/model/network_arrays.h"
#include "engine/wiring/globals.h"
#include "ui/model/buffers.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/rules/post_classes.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/storage/globals.h"
#include "support/torn_writes.h"
#include "support/work_dir.h"

namespace {

// Rule 110 for v = 2, k = 3: entry i is bit i of 110.
std::vector<uint8_t>
rule_110()
{
    return pack({0, 1, 1, 1, 0, 1, 1, 0});
}

class RuleBox : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        if (!zparam)
            allocate_mem_Z_parameter();
        use_value_range(2);
        use_size(20);
        oned = 1;
        twod = threed = 0;
        nhood = 3;
        totalistic = rule_kind_tables;
        tot_only = 0;
        seq_update = update_parallel;
        neutral_order = 0;
        exhaustive_testing = exhaustive_off;
        whatwire = whatwire_1d;
        saved_nhoodm = nhoodm;
        nhoodm = nullptr;
        canal = canal_bits;
        canal_bits[0] = canal_bits[1] = 0;
        canaltotal = 0;
        lambda = 0.625f;
        lratio = 0.75f;
        zparam[0] = 1.0f;
        zparam[1] = 0.5f;
        zparam[2] = 1.0f;
        pdata = data_basins;
        filedata = data_off;
    }
    void TearDown() override
    {
        pdata = filedata = data_off;
        nhoodm = saved_nhoodm;
        canal = nullptr;
        canaltotal = 0;
        checked_free(color_v);
        color_v = nullptr;
        nhood = 0;
        totalistic = rule_kind_tables;
        use_value_range(2);
    }
    // What show_rule_bottom writes to standard error.
    static std::string copied(int k, uint8_t *rule, int outflag = 1)
    {
        testing::internal::CaptureStderr();
        show_rule_bottom(k, outflag, rule, 0);
        return without_draw_check_lines(testing::internal::GetCapturedStderr());
    }
    // The bands of rows of the box that hold hex (light cyan): first and
    // last row of each.
    static std::vector<std::pair<int, int>> cyan_bands()
    {
        const int left = vgax(125) + 1, width = Maxx - left;
        const int top = rule_box_top + 1, height = Maxy - top;
        std::vector<unsigned long> box = pixels_seen(left, top, width, height);
        std::vector<std::pair<int, int>> bands;
        for (int r = 0; r < height; r++) {
            bool on = false;
            for (int c = 0; c < width && !on; c++)
                on = box[static_cast<size_t>(r) * width + c] == Color_Table[lightcyan];
            if (on && (bands.empty() || bands.back().second < top + r - 1))
                bands.push_back({top + r, top + r});
            else if (on)
                bands.back().second = top + r;
        }
        return bands;
    }
    int8_t *saved_nhoodm = nullptr;
    uint8_t canal_bits[2] = {0, 0};
};

TEST_F(RuleBox, Rule110CopiedToStandardError)
{
    std::vector<uint8_t> rule = rule_110();
    moveto(77, 88);
    EXPECT_EQ(copied(3, rule.data()),
              "v2k3 rule(dec)110 (hex)6e\n"
              "1d size=20 ld=0.625 ld-r=0.75 P=0.625 \nzl=0.5 zr=1 Z=1 C=0/3\n");
    EXPECT_EQ(getx, 77);
    EXPECT_EQ(gety, 88);
    EXPECT_EQ(rule_box_top, Maxy - 2 * CHeight - 6);
    // The two-line box spans vgax(125)..vgax(550).
    EXPECT_EQ(window_pixel(vgax(125), Maxy - 1), Color_Table[lightred]);
    EXPECT_EQ(window_pixel(vgax(550), Maxy - 1), Color_Table[lightred]);
}

TEST_F(RuleBox, NoCopiesWithoutTheFlags)
{
    std::vector<uint8_t> rule = rule_110();
    EXPECT_EQ(copied(3, rule.data(), 0), "");
    pdata = data_off;
    EXPECT_EQ(copied(3, rule.data()), "");
}

TEST_F(RuleBox, DataFileGetsTheSameTextAsStandardError)
{
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-rulebox"));
    snprintf(filename_data, kFileNameSize, "%s", "run.dat");
    filedata = data_basins;
    std::vector<uint8_t> rule = rule_110();
    std::string text = copied(3, rule.data());
    std::ifstream in(filename_data);
    std::stringstream data;
    data << in.rdbuf();
    EXPECT_EQ(data.str(), text);
    EXPECT_EQ(text.rfind("v2k3 rule(dec)110 (hex)6e\n", 0), 0u);
    EXPECT_TRUE(work.leave());
}

// The disk fills in the middle of the readout's copy: the data file keeps
// its old line and nothing of the readout, the error box is shown once for
// two readouts, and the next readout lands whole after the old line.
TEST_F(RuleBox, AReadoutTornByAFullDiskLeavesNoPartOfItInTheDataFile)
{
    work_dir work;
    ASSERT_TRUE(work.enter("zemra-rulebox"));
    snprintf(filename_data, kFileNameSize, "%s", "run.dat");
    {
        std::ofstream out(filename_data);
        out << "old line\n";
    }
    filedata = data_basins;
    std::vector<uint8_t> rule = rule_110();
    // One key only: a second box would wait for ever (and time out).
    type_keys("\r");
    torn_writes::start(13);
    std::string text = copied(3, rule.data());
    copied(3, rule.data());
    torn_writes::stop();
    auto data_file = [] {
        std::ifstream in(filename_data);
        std::stringstream data;
        data << in.rdbuf();
        return data.str();
    };
    EXPECT_EQ(data_file(), "old line\n");
    EXPECT_EQ(copied(3, rule.data()), text);
    EXPECT_EQ(data_file(), "old line\n" + text);
    EXPECT_TRUE(work.leave());
}

TEST_F(RuleBox, CanalyzingPositionsInHexWithStarsForTheOthers)
{
    std::vector<uint8_t> rule = rule_110();
    canaltotal = 2;
    canal_bits[0] = 0x05;  // positions 2 and 0
    std::string text = copied(3, rule.data());
    EXPECT_NE(text.find("C=2/3 2*0\n"), std::string::npos) << text;
}

TEST_F(RuleBox, SevenInputsNeedThreeLinesAndNoDecimal)
{
    nhood = 7;
    std::vector<uint8_t> rule(16, 0);
    rule[15] = 0x80;
    std::string text = copied(7, rule.data());
    EXPECT_EQ(text, "v2k7 rule(hex)8000000000000000000000000000000"
                    "01d size=20 ld=0.625 ld-r=0.75 P=0.625 \nzl=0.5 zr=1 Z=1 C=0/7\n");
    EXPECT_EQ(rule_box_top, Maxy - 3 * CHeight - 2);
    EXPECT_EQ(window_pixel(Maxx, Maxy - 1), Color_Table[lightred]);
}

TEST_F(RuleBox, SixInputsStayTwoLinesWithANewlineAfterTheHex)
{
    nhood = 6;
    std::vector<uint8_t> rule(8, 0x11);
    std::string text = copied(6, rule.data());
    EXPECT_EQ(text.substr(0, 35), "v2k6 rule(hex)1111111111111111\n1d s");
    EXPECT_EQ(rule_box_top, Maxy - 2 * CHeight - 6);
}

TEST_F(RuleBox, ThreeValuesHaveNoPAndHexOnItsOwnLine)
{
    use_value_range(3);
    setup_value_colors(1);
    allocate_mem_nhood_matrix(5);  // the Post class test reads the k-matrix
    nhood = 3;
    std::vector<uint8_t> rule = pack({2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    std::string text = copied(3, rule.data());
    // 27 entries of 2 bits: 7 bytes, the last holding entry 26 in bits 4-5.
    EXPECT_EQ(text, "v3k3 rule(hex)\n10000000000006\n"
                    "1d size=20 ld=0.625 ld-r=0.75 \nzl=0.5 zr=1 Z=1 C=0/3\n");
    EXPECT_EQ(rule_box_top, Maxy - 2 * CHeight - 6);
    nhood = 5;
    std::vector<uint8_t> rule5(61, 0);  // 243 entries of 2 bits
    copied(5, rule5.data(), 0);
    EXPECT_EQ(rule_box_top, Maxy - 3 * CHeight - 2);
    free_mem_nhood_matrix(5);
}

TEST_F(RuleBox, TcodeShowsItsNumberOnTheMiddleLine)
{
    nhood = 5;
    totalistic = rule_kind_tcodes;
    std::vector<uint8_t> code = pack({0, 1, 1, 0, 1, 0});  // 2 + 4 + 16 = 22
    uint8_t *codes[1] = {code.data()};
    uint8_t **saved = cacode;
    cacode = codes;
    std::vector<uint8_t> rule(4, 0);
    rule[0] = 0x01;
    std::string text = copied(5, rule.data());
    EXPECT_EQ(text, "v2k5 rule(dec)1 (hex)00000001\ntcode(dec)=22 (hex)=1d size=20 "
                    "ld=0.625 ld-r=0.75 P=0.625 \nzl=0.5 zr=1 Z=1 C=0/5\n");
    EXPECT_EQ(rule_box_top, Maxy - 3 * CHeight - 2);
    cacode = saved;
}

TEST_F(RuleBox, RandomMapAndNeutralOrderShowOnlyTheirLabels)
{
    std::vector<uint8_t> rule = rule_110();
    exhaustive_testing = exhaustive_random_map;
    EXPECT_EQ(copied(3, rule.data()), "");
    EXPECT_EQ(rule_box_top, Maxy - 3 * CHeight - 2);
    exhaustive_testing = exhaustive_off;
    neutral_order = 1;
    EXPECT_EQ(copied(3, rule.data()), "");
}

TEST_F(RuleBox, LongSequentialOrderIsCutToTheBox)
{
    use_size(2000);
    std::vector<uint16_t> order(2000);
    for (int i = 0; i < 2000; i++)
        order[i] = static_cast<uint16_t>(1999 - i);
    uint16_t *saved = seq_order;
    seq_order = order.data();
    seq_update = update_seq_order;
    std::vector<uint8_t> rule = rule_110();
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    moveto(5, 6);
    std::string text = copied(3, rule.data());
    EXPECT_EQ(text.rfind("v2k3 rule", 0), 0u) << text;
    EXPECT_EQ(getx, 5);
    EXPECT_EQ(gety, 6);
    // The order is cut short, not the rule: its hex still shows in the box,
    // and nothing runs past the box's right border.
    EXPECT_FALSE(cyan_bands().empty()) << "the rule's hex is not shown";
    const int right = vgax(550);
    int outside = 0;
    for (unsigned long p : pixels_seen(right + 1, rule_box_top, Maxx - right, Maxy - rule_box_top + 1))
        outside += p != Color_Table[black];
    EXPECT_EQ(outside, 0) << "the first line runs past the box";
    screenshot("rule_box_long_order");
    // A rule of k = 7 in the three-line box, to the window's edge: its
    // first line, whose clearing reaches up to the box's top, leaves the
    // frame whole, and the order is cut before the rule's hex.
    nhood = 7;
    std::vector<uint8_t> wide(16, 0x5a);
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    copied(7, wide.data());
    XSync(D, False);
    ASSERT_EQ(rule_box_top, Maxy - 3 * CHeight - 2);
    int gaps = 0;
    for (unsigned long p : pixels_seen(vgax(125), rule_box_top, Maxx - vgax(125) + 1, 1))
        gaps += p != Color_Table[lightred];
    EXPECT_EQ(gaps, 0) << "the box's top edge has gaps";
    EXPECT_FALSE(cyan_bands().empty()) << "the rule's hex is not shown";
    screenshot("rule_box_long_order_k7");
    seq_order = saved;
    seq_update = update_parallel;
}

TEST_F(RuleBox, HypercubeWiringLabelWithItsWireShare)
{
    whatwire = whatwire_hypercube;
    uint16_t saved_prob = hyper_prob;
    hyper_prob = 50;
    wires_cut = 10;
    std::vector<uint8_t> rule = rule_110();
    // Drawn only; the rule texts after it are copied as usual.
    EXPECT_EQ(copied(3, rule.data()).rfind("v2k3 rule(dec)110", 0), 0u);
    hyper_prob = saved_prob;
    wires_cut = 0;
}

// The box's texts are white whatever colour the caller was drawing in (a
// field stopped with 'q' left its stop prompt's colour): no light cyan but
// the hex bytes', and the caller's colour given back.
TEST_F(RuleBox, TextsWhiteWhateverTheCallersColour)
{
    setup_value_colors(1);
    std::vector<uint8_t> rule = rule_110();
    for (int colour : {int(white), int(lightcyan)}) {
        setcolor(colour);
        show_rule_bottom(3, 0, rule.data(), 0);
        EXPECT_EQ(getcolor(), colour);
        // The second line, "1d size=20 ...", across the box.
        int white_seen = 0, cyan_seen = 0;
        for (int y = Maxy - CHeight; y < Maxy; y++)
            for (int x = vgax(125) + 2; x < vgax(550) - 2; x++) {
                unsigned long p = window_pixel(x, y);
                white_seen += p == Color_Table[white];
                cyan_seen += p == Color_Table[lightcyan];
            }
        EXPECT_GT(white_seen, 100) << "drawing in colour " << colour;
        EXPECT_EQ(cyan_seen, 0) << "drawing in colour " << colour;
    }
}

}  // namespace

namespace {

// Rule 236 is a Post function: after a second line as long as a grown
// network's figures make it, its " Post=" labels stay inside the box (they
// ran over the right border and 65 pixels past it).
TEST_F(RuleBox, PostLabelsStayInsideTheBox)
{
    std::vector<uint8_t> rule = pack({0, 0, 1, 1, 0, 1, 1, 1});
    ASSERT_EQ(post_func(3, rule.data(), 0, 0, 0, 0), 1);
    use_size(150);
    lambda = 0.625f;
    lratio = 0.625f;
    zparam[0] = 0.875f;
    zparam[1] = 0.875f;
    zparam[2] = 0.625f;
    canaltotal = 2;
    canal_bits[0] = 0x05;
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    show_rule_bottom(3, 0, rule.data(), 0);
    XSync(D, False);
    int right = vgax(550);
    ASSERT_EQ(window_pixel(right, Maxy - 1), Color_Table[lightred]);
    int outside = 0;
    for (unsigned long p : pixels_seen(right + 1, rule_box_top, Maxx - right - 1, Maxy - rule_box_top))
        outside += p != Color_Table[black];
    EXPECT_EQ(outside, 0) << "the Post labels run past the box";
    // The border whole down its length.
    for (int y = rule_box_top; y <= Maxy; y++)
        EXPECT_EQ(window_pixel(right, y), Color_Table[lightred]) << "row " << y;
    screenshot("rule_box_post");
}

} // namespace

namespace {

// A rule table of k = 13 (1024 bytes) takes 3 lines of small hex in the
// three-line box: each line drawn whole above the size line, the last one
// ending in "..." (the fourth was drawn behind the size line, cut by its
// clearing).
TEST_F(RuleBox, HexLinesStayInsideTheBoxWhole)
{
    srandom(3);
    std::vector<uint8_t> rule(1024);
    for (uint8_t &b : rule)
        b = static_cast<uint8_t>(random() % 256);
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    show_rule_bottom(13, 0, rule.data(), 0);
    XSync(D, False);
    std::vector<std::pair<int, int>> bands = cyan_bands();
    ASSERT_GE(bands.size(), 2u);
    for (const auto &band : bands) {
        EXPECT_EQ(band.second - band.first, bands[0].second - bands[0].first)
            << "a line of hex cut at rows " << band.first << "-" << band.second;
        EXPECT_LT(band.second, Maxy - CHeight) << "hex behind the size line";
    }
    screenshot("rule_box_k13");
}

// The three-line box of a tcode: the rule's hex keeps above the code's line
// (at k = 13 its second line was drawn over "tcode(dec)="), and the Post
// labels of a large k end inside the box: after the code's line where the
// last has no room for them (they were cut at the box's border).
TEST_F(RuleBox, CodeLineAndPostLabelsOfALargeKStayInsideTheBox)
{
    totalistic = rule_kind_tcodes;
    std::vector<uint8_t> code = pack({0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    uint8_t *codes[1] = {code.data()};
    uint8_t **saved = cacode;
    cacode = codes;
    use_size(150);
    lambda = 0.875f;
    lratio = 0.25f;
    zparam[0] = zparam[1] = zparam[2] = 0.25f;
    canaltotal = 3;
    canal_bits[0] = 0xe0;
    for (int k : {9, 13}) {
        SCOPED_TRACE("k = " + std::to_string(k));
        nhood = static_cast<int8_t>(k);
        // Output 0 only where every input is 0: a Post function, A[0]i.
        std::vector<uint8_t> rule(static_cast<size_t>(1) << (k - 3), 0xff);
        rule[0] = 0xfe;
        ASSERT_EQ(post_func(k, rule.data(), 0, 0, 0, 0), 1);
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
        show_rule_bottom(k, 0, rule.data(), 0);
        XSync(D, False);
        for (const auto &band : cyan_bands())
            EXPECT_LT(band.second, Maxy - 2 * CHeight) << "hex over the code's line";
        // The columns just inside the right border: what reaches them is cut.
        int at_border = 0;
        for (unsigned long p : pixels_seen(Maxx - 5, rule_box_top + 1, 4, Maxy - rule_box_top - 1))
            at_border += p != Color_Table[black];
        EXPECT_EQ(at_border, 0) << "text cut at the box's right border";
        screenshot("rule_box_tcode_k" + std::to_string(k));
    }
    cacode = saved;
}

} // namespace

// A box of k = 7 (three lines, to the window's edge) and then one of rule
// 110 (two lines, narrower): nothing of the first is left above or beside
// the second.
TEST_F(RuleBox, ATwoLineBoxTakesTheThreeLineBoxBeforeItAway)
{
    setviewport(0, 0, Maxx, Maxy, 1);
    clearviewport();
    nhood = 7;
    std::vector<uint8_t> wide(16, 0x5a);
    copied(7, wide.data());
    const int three_top = rule_box_top;
    nhood = 3;
    std::vector<uint8_t> rule = rule_110();
    copied(3, rule.data());
    ASSERT_GT(rule_box_top, three_top);
    flush_display();
    int above = 0, beside = 0;
    for (unsigned long p : pixels_seen(0, three_top, Maxx + 1, rule_box_top - three_top))
        above += p != Color_Table[black];
    for (unsigned long p : pixels_seen(vgax(550) + 1, rule_box_top, Maxx - vgax(550), Maxy - rule_box_top + 1))
        beside += p != Color_Table[black];
    EXPECT_EQ(above, 0) << "the three-line box's top line is left above the new one";
    EXPECT_EQ(beside, 0) << "the three-line box is left beside the new one";
}
