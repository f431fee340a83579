// Loads of fixed-layout files of the wrong length, and a glider list of
// another v, say why they are refused: the file error (a line on standard error without a window)
// names the file's length and what this network's layout asks, and the
// loader still refuses the file and leaves what it would load as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/network_arrays.h"
#include "ui/graphs/graph_layout_file.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/glider_list.h"
#include "ui/storage/globals.h"
#include "ui/storage/histogram_file.h"
#include "ui/storage/in_degree_file.h"
#include "ui/storage/rule_samples.h"
#include "ui/storage/screen_image_file.h"
#include "ui/storage/side_files.h"
#include "ui/storage/storage_test_support.h"

namespace {

class RefusalReasons : public StorageTest {
protected:
    void SetUp() override
    {
        StorageTest::SetUp();
        use_n(10);
        nhood = 3;
        allocate_mem_rule0(3);
        carule[0][0] = 0x96;
    }
    void TearDown() override
    {
        free_mem_rule0();
        nhood = 0;
        StorageTest::TearDown();
    }
    // The glider-list counts of every v and k, all 0.
    static void make_glider_counts()
    {
        no_glider_rules = static_cast<uint16_t **>(checked_calloc(9, sizeof(uint16_t *), "t"));
        for (int v = 2; v <= 8; v++)
            no_glider_rules[v] = static_cast<uint16_t *>(checked_calloc(14, sizeof(uint16_t), "t"));
    }
    static void free_glider_counts()
    {
        for (int v = 2; v <= 8; v++)
            checked_free(no_glider_rules[v]);
        checked_free(no_glider_rules);
        no_glider_rules = nullptr;
    }
    // What the file error said while load ran, its standard-error line
    // aside.
    template <typename Load>
    static std::string said_by(Load load)
    {
        testing::internal::CaptureStderr();
        load();
        testing::internal::GetCapturedStderr();
        return last_file_error();
    }
};

// Any length up to the layout of the largest graph, 65535 nodes, is read
// and named; only a longer file is too large.
TEST_F(RefusalReasons, AGraphLayoutOfTheWrongLengthNamesTheLayoutsLength)
{
    open_graph_data(graph_field, 13, false);
    basin_pos[1][0] = 77;
    for (size_t length : {55u, 57u, 60u, 1000u, 262144u}) {
        write_file("bad.grh", bytes(length, 1));
        bool loaded = true;
        EXPECT_EQ(said_by([&] { loaded = load_graph_layout_file("bad.grh", {0, 0, 1000, 1000, 500, 500}); }),
                  "file error bad.grh: " + std::to_string(length) +
                      " bytes, a layout of 13 nodes is 56");
        EXPECT_FALSE(loaded);
        EXPECT_EQ(basin_pos[1][0], 77);
    }
    write_file("bad.grh", bytes(262145, 1));
    EXPECT_EQ(said_by([] { load_graph_layout_file("bad.grh", {0, 0, 1000, 1000, 500, 500}); }),
              "file error bad.grh: File too large");
    EXPECT_EQ(basin_pos[1][0], 77);
    free_graph_data();
}

// A layout of the right length whose nodes lie far outside the graph
// window is loaded with them placed inside its frame, and says so; a node
// inside stays where the file has it.
TEST_F(RefusalReasons, AGraphLayoutsNodesOutsideTheWindowArePlacedInsideAndSaid)
{
    open_graph_data(graph_field, 3, false);
    const graph_frame frame{100, 50, 900, 700, 500, 375};
    // Node 1 at (32767, -32768), node 2 at (300, 200), node 3 at (-5, 800).
    bytes file = {0, 0, 0, 0, 0xff, 0x7f, 0x00, 0x80, 0x2c, 0x01, 0xc8, 0x00, 0xfb, 0xff, 0x20, 0x03};
    write_file("far.grh", file);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(load_graph_layout_file("far.grh", frame));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "2 nodes outside the window placed at its edge, cont-ret:\n");
    EXPECT_EQ(basin_pos[1][0], 899);
    EXPECT_EQ(basin_pos[1][1], 51);
    EXPECT_EQ(basin_pos[2][0], 300);
    EXPECT_EQ(basin_pos[2][1], 200);
    EXPECT_EQ(basin_pos[3][0], 101);
    EXPECT_EQ(basin_pos[3][1], 699);
    EXPECT_EQ(contents("far.grh"), file);
    free_graph_data();
}

TEST_F(RefusalReasons, SideFilesTooShortOrOfTheWrongLengthSayWhy)
{
    write_file("odd.his", bytes(5, 0));
    EXPECT_EQ(said_by([] { list_histogram_file("odd.his"); }),
              "file error odd.his: 5 bytes, counts are 2 bytes each");
    write_file("bad.prh", bytes(203, 0));
    EXPECT_EQ(said_by([] { load_in_degree_file("bad.prh"); }),
              "file error bad.prh: 203 bytes, 51-5001 counts of 4 bytes");
    write_file("l_v2k3.rul", bytes{2, 3});
    uint8_t rule[4] = {0x96, 0, 0, 0};
    EXPECT_EQ(said_by([&] { load_last_rule(rule, 3); }),
              "file error l_v2k3.rul: 2 bytes, a v2k3 rule file is 3");
    EXPECT_EQ(rule[0], 0x96);
    // A v = 3 rule under the v = 2 name, longer than a v = 2 file, short
    // of its own table: told by its v and k bytes.
    write_file("l_v2k3.rul", bytes{3, 3, 0, 0, 0});
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_last_rule(rule, 3), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              " v(found)3!=v(2) or k(found)3!=k(3), cant load, cont-ret:\n"
              "file error l_v2k3.rul\n");
    EXPECT_EQ(rule[0], 0x96);
    write_file("short.tbl", bytes{'2', '0', '1', '1'});
    uint8_t table[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(said_by([&] { load_ascii_table_file("short.tbl", table, 7); }),
              "file error short.tbl: 4 bytes, a table of 8 entries is 9");
    EXPECT_EQ(table[1], 1);
}

// Side files of sound length whose contents are refused say where: a k-mix
// byte out of range, an ASCII table's byte that is no digit, a last rule's
// value of v or more; what they would load stays as it was.
TEST_F(RefusalReasons, SideFilesOfBadContentsSayWhere)
{
    int8_t ks[10] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    nhoodm = ks;
    write_file("bad.mix", bytes{3, 3, 0, 3});
    EXPECT_EQ(said_by([] { load_nhoodmix_file("bad.mix", 'l'); }),
              "file error bad.mix: cell 2 k=0 below the least 1");
    EXPECT_EQ(ks[0], 3);
    // An empty file holds no k: refused, not loaded as a mix of no cells.
    write_file("empty.mix", bytes{});
    EXPECT_EQ(said_by([] { EXPECT_EQ(load_nhoodmix_file("empty.mix", 'l'), 0); }),
              "file error empty.mix: empty file");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(ks[9], 3);
    nhoodm = nullptr;

    write_file("bad.tbl", bytes{'2', '0', '1', '1', '0', 'x', '1', '1', '0'});
    uint8_t table[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_EQ(said_by([&] { load_ascii_table_file("bad.tbl", table, 7); }),
              "file error bad.tbl: entry 4 is 'x', digits run 0-1");
    EXPECT_EQ(table[1], 1);

    use_v(3);
    write_file("l_v3k1.rul", bytes{3, 1, 0x0C});
    uint8_t rule[1] = {0x21};
    EXPECT_EQ(said_by([&] { load_last_rule(rule, 1); }),
              "file error l_v3k1.rul: entry 1 is 3, values run 0-2");
    EXPECT_EQ(rule[0], 0x21);
}

TEST_F(RefusalReasons, AComplexRuleSampleOfTheWrongLengthSaysTheSamplesLength)
{
    make_glider_counts();
    no_glider_rules[2][3] = 1;
    write_file("v2k3_c0.rul", bytes{2, 3});
    EXPECT_EQ(said_by([] { load_samples(); }),
              "file error v2k3_c0.rul: 2 bytes, a v2k3 sample is 3");
    EXPECT_EQ(carule[0][0], 0x96);
    free_glider_counts();
}

// A glider list of another v is refused with both v's, and its rules are
// not counted.
TEST_F(RefusalReasons, AGliderListOfAnotherVSaysSo)
{
    make_glider_counts();
    int8_t ks[10] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
    nhoodm = ks;
    write_file("g_v2k3.r_s", bytes{3, 0, 0, 0, 0, 0, 0x96, 0x6E});
    EXPECT_EQ(said_by([] { load_glider_buf(2); }), "file error g_v2k3.r_s: file v=3, network v=2");
    EXPECT_EQ(no_glider_rules[2][3], 0);
    nhoodm = nullptr;
    checked_free(glider_buf);
    glider_buf = nullptr;
    free_glider_counts();
}

// A screen image the decoder refuses is named with the decoder's reason;
// one that cannot be read keeps the read's reason.
TEST_F(RefusalReasons, AScreenImageSaysWhyItIsRefused)
{
    write_file("bad.nat", bytes{'x', 0, 2});
    bool loaded = true;
    EXPECT_EQ(said_by([&] { loaded = load_screen_file("bad.nat", false); }),
              "file error bad.nat: first byte 'x', sizes are l m h o");
    EXPECT_FALSE(loaded);
    write_file("cut.nat", bytes{'l', 0x02, 0x82, 0});
    EXPECT_EQ(said_by([] { load_screen_file("cut.nat", false); }),
              "file error cut.nat: band 1 says 642 bytes, file holds 3");
    EXPECT_EQ(said_by([] { load_screen_file("none.nat", true); }),
              "file error none.nat: No such file or directory");
}

}  // namespace
