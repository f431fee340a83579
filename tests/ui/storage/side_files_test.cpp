// Side files without a window: the last rule, ASCII tables, successor
// tables, k-mix files, glider lists and histogram files, written byte for
// byte and read back, and damaged files refused with nothing changed.
#include "ui/storage/storage_test_support.h"

#include <cstring>

#include "engine/backward/globals.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/value_line.h"
#include "ui/driver/globals.h"
#include "ui/storage/histogram_file.h"
#include "ui/storage/side_files.h"

namespace {

using SideFiles = StorageTest;

TEST_F(SideFiles, LastRuleOfK5IsSixBytesAndReadsBack)
{
    use_n(10);
    uint8_t rule[4] = {0xDE, 0xAD, 0xBE, 0xEF};
    save_last_rule(rule, 5);
    EXPECT_STREQ(filename, "l_v2k5.rul");
    EXPECT_EQ(contents("l_v2k5.rul"), (bytes{2, 5, 0xDE, 0xAD, 0xBE, 0xEF}));
    EXPECT_EQ(mode_of("l_v2k5.rul"), 0644u);
    uint8_t back[4] = {0, 0, 0, 0};
    EXPECT_EQ(load_last_rule(back, 5), 5);
    EXPECT_EQ(memcmp(back, rule, 4), 0);
}

TEST_F(SideFiles, LastRuleOfAnotherVOrAShortFileIsRefused)
{
    uint8_t rule[4] = {1, 2, 3, 4};
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_last_rule(rule, 5), 0);  // no file for k = 5
    EXPECT_EQ(is[0], 'q');
    write_file("l_v2k5.rul", bytes{3, 5, 9, 9, 9, 9});
    EXPECT_EQ(load_last_rule(rule, 5), 0);
    write_file("l_v2k5.rul", bytes{2, 5, 9, 9});
    EXPECT_EQ(load_last_rule(rule, 5), 0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(" v(found)3!=v(2) or k(found)5!=k(5), cant load, cont-ret:"),
              std::string::npos);
    EXPECT_EQ((bytes(rule, rule + 4)), (bytes{1, 2, 3, 4}));
}

TEST_F(SideFiles, FailedLastRuleSaveIsReportedOnceAndLeavesTheKey)
{
    // A directory of the file's name cannot be opened for writing, even by
    // root.
    ASSERT_EQ(mkdir("l_v2k3.rul", 0700), 0);
    uint8_t rule[1] = {30};
    is[0] = 'x';
    testing::internal::CaptureStderr();
    save_last_rule(rule, 3);
    save_last_rule(rule, 3);
    std::string err = testing::internal::GetCapturedStderr();
    size_t first = err.find("file error l_v2k3.rul");
    ASSERT_NE(first, std::string::npos) << err;
    EXPECT_EQ(err.find("file error", first + 1), std::string::npos) << err;
    EXPECT_EQ(is[0], 'x');
}

TEST_F(SideFiles, CodeKindsNameTheirLastRuleFiles)
{
    totalistic = rule_kind_kcodes;
    uint8_t code[1] = {0x05};
    save_last_rule(code, 3);  // v = 2, k = 3: four kcode entries, one byte
    EXPECT_EQ(contents("l_v2k3.vco"), (bytes{2, 3, 5}));
    totalistic = rule_kind_tables;
}

TEST_F(SideFiles, AsciiTableOfRule150IsNineDigits)
{
    uint8_t rule[1] = {150};
    EXPECT_TRUE(save_ascii_table_file("t.tbl", rule, 7));
    bytes text = contents("t.tbl");
    EXPECT_EQ(std::string(text.begin(), text.end()), "201101001");
    uint8_t back[1] = {0};
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_ascii_table_file("t.tbl", back, 7), 9);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nfilebytes=9 file_v=2\n");
    EXPECT_EQ(back[0], 150);
}

TEST_F(SideFiles, AsciiTablesWithBadDigitsOrTooShortAreRefused)
{
    uint8_t table[1] = {0x3C};
    testing::internal::CaptureStderr();
    write_file("two.tbl", bytes{'2', '0', '1', '2', '0', '0', '0', '0', '0'});
    EXPECT_EQ(load_ascii_table_file("two.tbl", table, 7), 0);
    write_file("short.tbl", bytes{'2', '0', '1'});
    EXPECT_EQ(load_ascii_table_file("short.tbl", table, 7), 0);
    write_file("x.tbl", bytes{'2', '0', 'x', '0', '0', '0', '0', '0', '0'});
    EXPECT_EQ(load_ascii_table_file("x.tbl", table, 7), 0);
    write_file("v3.tbl", bytes{'3', '0', '1', '2', '0', '0', '0', '0', '0'});
    EXPECT_EQ(load_ascii_table_file("v3.tbl", table, 7), 0);
    std::string err = testing::internal::GetCapturedStderr();
    // The refusal starts a line of its own after the file's figures.
    EXPECT_NE(err.find("\nfilebytes=9 file_v=3\n v(found)3!=v(2), cant load, cont-ret:"),
              std::string::npos) << err;
    EXPECT_EQ(table[0], 0x3C);
    EXPECT_EQ(is[0], 'q');
}

TEST_F(SideFiles, AsciiTableOfV3KeepsEveryDigit)
{
    use_v(3);
    uint8_t table[2] = {0, 0};
    write_file("v3.tbl", bytes{'3', '2', '1', '0', '2', '2'});
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_ascii_table_file("v3.tbl", table, 4), 6);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(get_value(table, 0), 2);
    EXPECT_EQ(get_value(table, 1), 1);
    EXPECT_EQ(get_value(table, 2), 0);
    EXPECT_EQ(get_value(table, 4), 2);
}

class SuccessorFiles : public StorageTest {
protected:
    void TearDown() override
    {
        free_successor_table();
        StorageTest::TearDown();
    }
    void table_for(int n)
    {
        free_successor_table();
        use_n(n);
        uint64_t states = int_power(value_range, n);
        exh_pairs = static_cast<uint8_t *>(checked_calloc(states, bytesL, "exh_pairs"));
        for (uint64_t s = 0; s < states; s++)
            dec_to_value_line(exh_pairs + s * bytesL, static_cast<uint32_t>((s * 7 + 3) % states), n);
    }
};

TEST_F(SuccessorFiles, TableRoundTripsAndAWrongSizeIsRefused)
{
    table_for(10);
    EXPECT_TRUE(save_exhaustive_file("t10.exh"));
    bytes saved = contents("t10.exh");
    ASSERT_EQ(saved.size(), 2048u);
    EXPECT_EQ(memcmp(saved.data(), exh_pairs, 2048), 0);
    memset(exh_pairs, 0, 2048);
    EXPECT_TRUE(load_exhaustive_file("t10.exh"));
    EXPECT_EQ(memcmp(saved.data(), exh_pairs, 2048), 0);

    table_for(11);
    bytes before(exh_pairs, exh_pairs + 4096);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_exhaustive_file("t10.exh"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "file n=10 != network n=11 (wrong file) cont-ret:\n");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(bytes(exh_pairs, exh_pairs + 4096), before);
}

TEST_F(SuccessorFiles, RecordsThatAreNoStateAreRefused)
{
    use_v(3);
    table_for(2);  // 9 records of one byte
    bytes file(9, 0x01);
    file[4] = 0x0C;  // cell 1 holds 3
    write_file("bad.exh", file);
    bytes before(exh_pairs, exh_pairs + 9);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(load_exhaustive_file("bad.exh"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(bytes(exh_pairs, exh_pairs + 9), before);
}

class KmixFiles : public StorageTest {
protected:
    void SetUp() override
    {
        StorageTest::SetUp();
        use_n(10);
        nhoodm = static_cast<int8_t *>(checked_calloc(10, 1, "nhoodm"));
    }
    void TearDown() override
    {
        checked_free(nhoodm);
        nhoodm = nullptr;
        StorageTest::TearDown();
    }
};

TEST_F(KmixFiles, MixIsOneByteAPerCell)
{
    memset(nhoodm, 2, 10);
    EXPECT_TRUE(save_nhoodmix_file("m.mix"));
    EXPECT_EQ(contents("m.mix"), bytes(10, 2));
    EXPECT_EQ(mode_of("m.mix"), 0644u);
}

TEST_F(KmixFiles, ShorterFileLeavesTheRestAndLongerIsCut)
{
    memset(nhoodm, 7, 10);
    write_file("short.mix", bytes{1, 2, 3});
    EXPECT_EQ(load_nhoodmix_file("short.mix", 'l'), 3);
    EXPECT_EQ((bytes(nhoodm, nhoodm + 10)), (bytes{1, 2, 3, 7, 7, 7, 7, 7, 7, 7}));
    write_file("long.mix", bytes(12, 4));
    EXPECT_EQ(load_nhoodmix_file("long.mix", 'l'), 12);
    EXPECT_EQ((bytes(nhoodm, nhoodm + 10)), bytes(10, 4));
    memset(nhoodm, 7, 10);
    EXPECT_EQ(load_nhoodmix_file("long.mix", 'L'), 12);
    EXPECT_EQ((bytes(nhoodm, nhoodm + 10)), bytes(10, 7));
}

TEST_F(KmixFiles, ValuesOutsideOneToMaxnhoodAreRefused)
{
    memset(nhoodm, 3, 10);
    testing::internal::CaptureStderr();
    for (bytes file : {bytes{1, 0, 2}, bytes{1, 14, 2}, bytes{0xFF, 1}}) {
        write_file("bad.mix", file);
        EXPECT_EQ(load_nhoodmix_file("bad.mix", 'l'), 0);
        EXPECT_EQ(is[0], 'q');
        EXPECT_EQ((bytes(nhoodm, nhoodm + 10)), bytes(10, 3));
    }
    testing::internal::GetCapturedStderr();
}

class GliderLists : public StorageTest {
protected:
    void SetUp() override
    {
        StorageTest::SetUp();
        use_n(10);
        nhood = 5;
        nhoodm = static_cast<int8_t *>(checked_calloc(10, 1, "nhoodm"));
        memset(nhoodm, 5, 10);
        no_glider_rules = static_cast<uint16_t **>(checked_calloc(9, sizeof(uint16_t *), "t"));
        for (int v = 2; v <= 8; v++)
            no_glider_rules[v] = static_cast<uint16_t *>(checked_calloc(14, sizeof(uint16_t), "t"));
        glider_buf = static_cast<uint8_t *>(checked_calloc(4, 1, "glider_buf"));
    }
    void TearDown() override
    {
        for (int v = 2; v <= 8; v++)
            checked_free(no_glider_rules[v]);
        checked_free(no_glider_rules);
        checked_free(glider_buf);
        checked_free(nhoodm);
        no_glider_rules = nullptr;
        glider_buf = nullptr;
        nhoodm = nullptr;
        StorageTest::TearDown();
    }
    // A list of count v = 2, k = 5 rules (4 bytes each), rule r all bytes r.
    static bytes list(int count, bool with_v = true)
    {
        bytes file = {2, 5, 10, 0, 0, 0};
        for (int r = 0; r < count; r++)
            for (int b = 0; b < 4; b++)
                file.push_back(static_cast<uint8_t>(r));
        if (!with_v)
            file.erase(file.begin());
        return file;
    }
};

TEST_F(GliderLists, CountIsTheLastRuleTheFileHolds)
{
    write_file("g_v2k5.r_s", list(63));
    load_glider_buf(63);
    EXPECT_EQ(no_glider_rules[2][5], 62);
    EXPECT_EQ(glider_buf[6 + 4 * 62], 62);
    write_file("g_v2k5.r_s", list(10));
    load_glider_buf(63);
    EXPECT_EQ(no_glider_rules[2][5], 9);
}

TEST_F(GliderLists, ListWithoutItsVByteGetsV2AndKeepsItsLastRule)
{
    write_file("g_v2k5.r_s", list(63, false));
    load_glider_buf(63);
    EXPECT_EQ(glider_buf[0], 2);
    EXPECT_EQ(glider_buf[6 + 4 * 62], 62);
    EXPECT_EQ(no_glider_rules[2][5], 62);
}

TEST_F(GliderLists, ShortOrMissingListsGiveNoRules)
{
    no_glider_rules[2][5] = 63;
    load_glider_buf(63);  // no file: silent, the preset kept
    EXPECT_EQ(no_glider_rules[2][5], 63);
    write_file("g_v2k5.r_s", bytes{2, 5, 10, 0, 0, 0, 1});
    load_glider_buf(63);
    EXPECT_EQ(no_glider_rules[2][5], 0);
}

using HistogramFiles = StorageTest;

TEST_F(HistogramFiles, CountsAreSixteenBitsHighByteFirst)
{
    uint32_t counts[3] = {3, 256, 65535};
    testing::internal::CaptureStderr();
    EXPECT_TRUE(save_histogram_file("h.his", 2, counts));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nhistogram: 1+2 columns\n3 256 65535 \n");
    EXPECT_EQ(contents("h.his"), (bytes{0, 3, 1, 0, 0xFF, 0xFF}));
    EXPECT_EQ(mode_of("h.his"), 0644u);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(list_histogram_file("h.his"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nhistogram: 1+2 columns\n3 256 65535 \n");
    EXPECT_EQ(counts[1], 256);
}

TEST_F(HistogramFiles, ASavedHistogramLoadsBackEqual)
{
    uint32_t saved[5] = {0, 7, 65535, 12, 1};
    testing::internal::CaptureStderr();
    EXPECT_TRUE(save_histogram_file("h.his", 4, saved));
    uint32_t shown[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(load_histogram_file("h.his", 4, shown), histogram_load::loaded);
    std::string listed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::vector<uint32_t>(shown, shown + 5), std::vector<uint32_t>(saved, saved + 5));
    // Listed when saved and again when loaded.
    EXPECT_EQ(listed, "\nhistogram: 1+4 columns\n0 7 65535 12 1 \n"
                      "\nhistogram: 1+4 columns\n0 7 65535 12 1 \n");
}

TEST_F(HistogramFiles, ACountPastSixteenBitsIsSavedSaturated)
{
    uint32_t saved[2] = {70000, 3};
    testing::internal::CaptureStderr();
    EXPECT_TRUE(save_histogram_file("h.his", 1, saved));
    // The listing shows what the file holds, and a box says it (standard
    // error without a window).
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "\nhistogram: 1+1 columns\n65535 3 \n1 count past 65,535 saved as 65,535, cont-ret:\n");
    EXPECT_EQ(contents("h.his"), (bytes{0xFF, 0xFF, 0, 3}));
}

TEST_F(HistogramFiles, AFileOfOtherColumnsIsListedAndChangesNothing)
{
    write_file("three.his", bytes{0, 1, 0, 2, 0, 3});
    uint32_t shown[5] = {4, 5, 6, 7, 8};
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_histogram_file("three.his", 4, shown), histogram_load::other_columns);
    std::string listed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::vector<uint32_t>(shown, shown + 5), (std::vector<uint32_t>{4, 5, 6, 7, 8}));
    EXPECT_NE(listed.find("\nhistogram: 1+2 columns\n1 2 3 \n"), std::string::npos);
    EXPECT_NE(listed.find("2 columns in the file, 4 here: not loaded"), std::string::npos);
    write_file("odd.his", bytes{0, 1, 0});
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_histogram_file("odd.his", 1, shown), histogram_load::refused);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown[0], 4u);
}

TEST_F(HistogramFiles, OddOrEmptyFilesAreRefused)
{
    write_file("odd.his", bytes{0, 3, 1});
    write_file("empty.his", bytes{});
    testing::internal::CaptureStderr();
    EXPECT_FALSE(list_histogram_file("odd.his"));
    EXPECT_FALSE(list_histogram_file("empty.his"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "file error odd.his: 3 bytes, counts are 2 bytes each\n"
              "file error empty.his: 0 bytes, counts are 2 bytes each\n");
}

} // namespace
