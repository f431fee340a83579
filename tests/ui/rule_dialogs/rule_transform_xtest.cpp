// The rule-transformation dialog on the virtual server: rule 150 inverted
// and saved as the last rule, a raise of k to 5 (result 2), effective k
// (result 1, the inactive input reported), an abandoned exhaustive map
// that changes nothing, and canalyzing inputs set through 'C'. The
// prompt's lines stay inside its box, and nothing is left beside it.
#include "rule_ring_support.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/wire_up.h"
#include "ui/model/cell_display.h"
#include "ui/rule_dialogs/rule_dialog.h"
#include "ui/rule_dialogs/rule_transform.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

class RuleTransform : public RuleRingTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(set_up_rule_network("zemra-transform"));
        nonlocal = 0;
        if (!color_v)
            setup_value_colors(1);
        allocate_mem_Z_parameter();
        allocate_mem_nhood_matrix(13);
        text_column_start();
    }
    void TearDown() override
    {
        free_ring();
        nhood_mixed = 0;
        free_mem_nhood_matrix(matrix_k);
        free_mem_Z_parameter();
        value_range = 2;
        value_bits = 1;
        ASSERT_TRUE(work.leave());
    }
    void free_ring()
    {
        if (rulemix) {
            free_mem_rulemix();
            rulemix = 0;
        }
        free_mem_wiring();
        free_mem_tcode0();
        free_mem_all_0s_all_1s_rules();
        free_mem_rule0_extra();
        free_mem_rule0();
        free_v_code_arrays();
        checked_free(nhoodm);
        nhoodm = nullptr;
        totalistic = rule_kind_tables;
    }
    // Another value range, with the k-matrix (up to matrix_k inputs) and
    // the colours the dialog reads.
    void use_value_range(int v)
    {
        free_mem_nhood_matrix(matrix_k);
        value_range = v;
        value_bits = v == 2 ? 1 : 2;
        matrix_k = v == 2 ? 13 : 7;
        setup_value_colors(1);
        allocate_mem_nhood_matrix(matrix_k);
    }
    int matrix_k = 13;
    // A ring of n cells of k inputs with one rule (number: entries as bits).
    void ring(int n, int k, uint32_t number)
    {
        make_ring(n, k);
        for (uint32_t i = 0; i < 32 && i < rule_entries(k); i++)
            set_value(carule[0], i, static_cast<int>(number >> i & 1));
    }
    static int transform(const std::string &keys, int cell = 0)
    {
        paced_thread typist = type_keys_paced(keys);
        int result = transform_rule(cell);
        typist.join();
        return result;
    }
    std::string file(const std::string &name)
    {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

TEST_F(RuleTransform, InvertOfRule150IsSavedAsTheLastRule)
{
    ring(12, 3, 0x96);
    EXPECT_EQ(transform("v\r\r"), 0);
    EXPECT_EQ(carule[0][0], 0x69);
    EXPECT_EQ(file("l_v2k3.rul"), std::string("\x02\x03\x69", 3));
    EXPECT_EQ(transform("r\rq"), 0); // reflection: 0x69 is symmetric too
    EXPECT_EQ(carule[0][0], 0x69);
    EXPECT_EQ(is[0], 'q');
}

TEST_F(RuleTransform, RaiseToFiveIsResultTwo)
{
    ring(12, 3, 110);
    EXPECT_EQ(transform("5\r\r"), 2);
    EXPECT_EQ(nhood, 5);
    EXPECT_EQ(nhoodm[11], 5);
    EXPECT_EQ(file("l_v2k5.rul").size(), 2u + 4u);
    // Above the ceiling: held at it; Return then ends the dialog.
    EXPECT_EQ(transform("99\r\r"), 2);
    EXPECT_EQ(nhood, Maxnhood);
}

TEST_F(RuleTransform, EffectiveKIsResultOneAndReportsTheInput)
{
    nonlocal = 1;
    ring(12, 3, 0x5A); // d0 XOR d2
    testing::internal::CaptureStderr();
    EXPECT_EQ(transform("k\r\r"), 1);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("\nci=0, inactive wires=1,\n"), std::string::npos) << err;
    EXPECT_EQ(nhood, 2);
    EXPECT_EQ(carule[0][0] & 0x0F, 0x06);
    EXPECT_EQ(wiring[4][0], 3); // the outer inputs of cell 4 stay
    EXPECT_EQ(wiring[4][1], 5);
}

TEST_F(RuleTransform, AbandonedExhaustiveMapChangesNothing)
{
    ring(4, 4, 0);
    allocate_mem_rulemix(4);
    rulemix = 1;
    nhood_mixed = 1;
    for (uint32_t c = 0; c < 4; c++)
        carule[c][0] = static_cast<uint8_t>(0x30 + c);
    uint16_t wire = wiring[2][0];
    EXPECT_EQ(transform("e\rq\r"), 0);
    for (uint32_t c = 0; c < 4; c++)
        EXPECT_EQ(carule[c][0], 0x30 + c);
    EXPECT_EQ(wiring[2][0], wire);
}

TEST_F(RuleTransform, CanalyzingInputsThroughC)
{
    srandom(6);
    ring(12, 3, 0x96); // parity: no canalyzing input
    EXPECT_EQ(transform("C\rn\r2\rx\r\r"), 0);
    EXPECT_GE(count_canalyzing(3, carule[0]), 1);
}

// The dialog is drawn in the prompt box: the text column goes on from
// where it was, whichever key ends it.
TEST_F(RuleTransform, TheCurrentPointIsKept)
{
    ring(12, 3, 110);
    for (const char *keys : {"\r", "q", "v\r\r"}) {
        moveto(vgax(50), vgay(300));
        transform(keys);
        EXPECT_EQ(getx, vgax(50)) << keys;
        EXPECT_EQ(gety, vgay(300)) << keys;
    }
}

// The prompt of a rule mix, its longest first line, while it waits and
// after it closes: nothing right of the box's frame, up to the window's
// edge (the line ran out of the box and past the window's edge, and its end
// stayed there when the box went).
TEST_F(RuleTransform, PromptLinesStayInsideTheBox)
{
    ring(4, 4, 0);
    allocate_mem_rulemix(4);
    rulemix = 1;
    clear_drawing_area(); // nothing of an earlier dialog beside the box
    int while_asked = -1;
    paced_thread typist =
        type_keys_looking("\r", [&](size_t) { while_asked = inked_right_of_prompt_box(3); });
    transform_rule(0);
    typist.join();
    EXPECT_EQ(while_asked, 0) << "the prompt runs out of its box";
    EXPECT_EQ(inked_right_of_prompt_box(3), 0) << "the prompt left its end beside the box";
}

// The canalyzing dialog through 'C': its question, its count entry ('n')
// and its explicit input's line ('e', each value drawn at random), each
// while it waits for its answer and after the dialog closes: nothing right
// of the prompt box's frame, up to the window's edge (the question ran past
// the window's edge on a 1024-pixel screen and its end stayed there).
TEST_F(RuleTransform, CanalyzingPromptsStayInsideTheBox)
{
    srandom(6);
    ring(12, 3, 0x96);
    clear_drawing_area();
    int most = 0;
    size_t waits = 0;
    // 'C' and its Return at the transform prompt; the count 2 through 'n';
    // wire, input and output at random through 'e'; 'x' ends the
    // canalyzing dialog and Return the transform prompt.
    paced_thread typist =
        type_keys_looking("C\rn\r2\re\r\r\r\rx\r\r", [&](size_t i) {
            waits++;
            if (i >= 2)
                most = std::max(most, inked_right_of_prompt_box(3));
            if (i == 2)
                screenshot("canalyzing_question");
        });
    EXPECT_EQ(transform_rule(0), 0);
    typist.join();
    EXPECT_EQ(waits, 14u);
    EXPECT_EQ(most, 0) << "a canalyzing prompt runs out of its box";
    EXPECT_EQ(inked_right_of_prompt_box(3), 0) << "a canalyzing prompt left its end beside the box";
}

// Canalyzing inputs raised through 'C' after rule 15 was typed in the
// single-rule dialog: while the canalyzing question waits again, the
// dialog's lines below its menu show the rule as it is then, as they show
// that rule typed in and taken to the same question unchanged (both window
// sizes); they kept rule 15's number and cells while the rule box showed
// the new rule.
TEST_F(RuleTransform, SelectionLinesFollowACanalyzingChange)
{
    if (!on_default_screen())
        GTEST_SKIP() << "the larger window does not fit this server's screen";
    give_rule_figures();
    for (const int *size : {(const int[]){1024, 768}, (const int[]){927, 695}}) {
        SCOPED_TRACE(testing::Message() << "window " << size[0] << "x" << size[1]);
        ASSERT_TRUE(resize_to(size[0], size[1]));
        // The four lines below the menu at the canalyzing question that
        // key `at` of keys waits on; the rule on return.
        auto lines_at_question = [&](const std::string &keys, size_t at, uint32_t &rule) {
            free_ring();
            ring(12, 3, 0);
            clear_drawing_area();
            text_column_start();
            const int top = gety + 3 * CHeight;
            srandom(6);
            std::vector<unsigned long> lines;
            paced_thread typist = type_keys_looking(keys, [&](size_t i) {
                if (i == at)
                    lines = pixels_seen(vgax(50), top, Maxx - 2 - vgax(50), 4 * CHeight);
            });
            select_rule(0, 1, carule, 1, Maxu);
            typist.join();
            rule = carule[0][0];
            return lines;
        };
        uint32_t raised = 0, typed = 0;
        const std::vector<unsigned long> after_change = lines_at_question("d\r15\rC\rn\r3\r\r\r", 11, raised);
        ASSERT_NE(raised, 15u);
        const std::string number = std::to_string(raised);
        const std::vector<unsigned long> as_typed =
            lines_at_question("d\r" + number + "\rC\r\r\r", 5 + number.size(), typed);
        EXPECT_EQ(typed, raised);
        EXPECT_TRUE(after_change == as_typed) << "the lines do not show rule " << raised;
    }
    ASSERT_TRUE(resize_to(1024, 768));
}

// The table a last-rule file of this kind and k means, read as the program
// reads it; empty when there is no sound file.
std::vector<int>
table_in_file(int8_t kind, int k)
{
    const char *ext = kind == rule_kind_tcodes ? "tco" : kind == rule_kind_kcodes ? "vco" : "rul";
    std::ifstream in("l_v" + std::to_string(value_range) + "k" + std::to_string(k) + "." + ext,
                     std::ios::binary);
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int8_t running = totalistic;
    totalistic = kind;
    std::vector<uint8_t> code(rule_bytes(k)), table(rule_bytes(k));
    bool sound = decode_last_rule(data.data(), data.size(), k, code.data()) == last_rule_check::sound;
    if (kind == rule_kind_tcodes)
        code2rule(table.data(), code.data(), k);
    else if (kind == rule_kind_kcodes)
        v_code2rule(table.data(), code.data(), k, 1);
    else
        table = code;
    totalistic = running;
    std::vector<int> values;
    for (uint32_t i = 0; sound && i < rule_entries(k); i++)
        values.push_back(get_value(table.data(), i));
    return values;
}

// Every key of the box on a tcode network and on a kcode network, v = 2
// and 3: the rule-table file of the network's k and, while the network is
// still a code, that code's file load back as the table the network runs.
// A code the box could not keep (a raise, solid or canalyzing inputs that
// no value count decides) leaves a rule-table network and no code file of
// the new k; the one of k = 3 is the code from before the box.
TEST_F(RuleTransform, EveryLastRuleFileHoldsTheRuleThatRuns)
{
    const std::vector<std::string> keys = {"r\r\r", "v\r\r", "c\r\r", "n\r\r",
                                           "o\r\r", "5\r\r", "k\r\r", "C\rn\r2\rx\r\r"};
    srandom(67);
    for (int v : {2, 3}) {
        use_value_range(v);
        for (int8_t kind : {rule_kind_tcodes, rule_kind_kcodes})
            for (const std::string &key : keys) {
                free_ring();
                totalistic = kind;
                make_ring(12, 3);
                uint8_t *code = kind == rule_kind_tcodes ? cacode[0] : v_code[0];
                uint32_t entries = kind == rule_kind_tcodes ? tcode_entries(3) : kcode_entries(3);
                for (uint32_t e = 0; e < entries; e++)
                    set_value(code, e, e < 2 ? static_cast<int>(e) : static_cast<int>(random() % v));
                if (kind == rule_kind_tcodes)
                    code2rule(carule[0], code, 3);
                else
                    v_code2rule(carule[0], code, 3, 1);
                std::vector<int> before;
                for (uint32_t i = 0; i < rule_entries(3); i++)
                    before.push_back(get_value(carule[0], i));
                for (const char *ext : {"rul", "tco", "vco"})
                    for (int k : {3, 5})
                        std::remove(("l_v" + std::to_string(v) + "k" + std::to_string(k) + "." + ext).c_str());
                transform(key);
                const std::string what = "v=" + std::to_string(v) + (kind == rule_kind_tcodes ? " tcode " : " kcode ") + key;
                std::vector<int> runs;
                for (uint32_t i = 0; i < rule_entries(nhood); i++)
                    runs.push_back(get_value(carule[0], i));
                EXPECT_EQ(table_in_file(rule_kind_tables, nhood), runs) << what;
                if (key.size() == 3 && std::string("rvcn").find(key[0]) != std::string::npos) {
                    EXPECT_EQ(totalistic, kind) << what << ": a symmetry keeps the code";
                }
                if (key[0] == '5') {
                    EXPECT_EQ(totalistic, rule_kind_tables) << what << ": a widened code is no code";
                }
                if (totalistic == kind) {
                    EXPECT_EQ(table_in_file(kind, nhood), runs) << what;
                } else if (nhood == 3) {
                    EXPECT_EQ(table_in_file(kind, 3), before) << what << ": the code from before the box";
                } else {
                    EXPECT_TRUE(table_in_file(kind, nhood).empty()) << what;
                }
            }
    }
}

} // namespace
