// Appends that are whole or nothing: the data file, the statistics records,
// the rule-sample browser's append save and the network listing, each with
// the disk filling in the middle of an append and on the retry of its
// rest. The file keeps its old bytes and then whole lines or records only,
// the error line (the box without a window) says why, and the next append
// after the disk has room goes through in line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/storage/stat_record_codec.h"
#include "engine/wiring_editor/editor_network_support.h"
#include "engine/wiring_editor/network_listing.h"
#include "support/torn_writes.h"
#include "ui/measures/rule_stats.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/storage_test_support.h"
#include "ui/wiring_editor/network_data.h"

namespace {

class WholeAppends : public StorageTest {
protected:
    void TearDown() override
    {
        torn_writes::stop();
        pdata = filedata = data_off;
        StorageTest::TearDown();
    }
    static std::string text_of(const char *name)
    {
        bytes data = contents(name);
        return std::string(data.begin(), data.end());
    }
    static size_t count_of(const std::string &text, const std::string &part)
    {
        size_t count = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            count++;
        return count;
    }
};

TEST_F(WholeAppends, ADataLineTornByAFullDiskIsCutBackAndTheNextLandsInLine)
{
    snprintf(filename_data, kFileNameSize, "%s", "run.dat");
    write_file("run.dat", bytes{'o', 'l', 'd', '\n'});
    torn_writes::start(7);
    testing::internal::CaptureStderr();
    EXPECT_EQ(save_data("v2k3 rule(dec)110 (hex)6e\n"), -1);
    EXPECT_EQ(save_data("v2k3 rule(dec)30 (hex)1e\n"), -1);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(torn_writes::failures, 2);
    EXPECT_EQ(text_of("run.dat"), "old\n");
    // Said once for the file, with the reason.
    EXPECT_EQ(said, "file error run.dat: No space left on device\n");
    torn_writes::stop();
    EXPECT_EQ(save_data("v2k3 rule(dec)54 (hex)36\n"), 0);
    EXPECT_EQ(text_of("run.dat"), "old\nv2k3 rule(dec)54 (hex)36\n");
    // Through again, the file's next failure is said again.
    torn_writes::start(1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(save_data("x\n"), -1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "file error run.dat: No space left on device\n");
}

TEST_F(WholeAppends, StatisticsRecordsStayInLineAfterAFailedAppend)
{
    // v = 2, k = 3: records of 3 bytes. 1365 of them make 4095 bytes.
    use_n(10);
    nhood = 3;
    bytes old_file;
    for (int r = 0; r < 1365; r++)
        encode_stat_record(std::vector<uint8_t>{static_cast<uint8_t>(r)}.data(), 1, 0.5f, 0.09f,
                           old_file);
    write_file("my_stat.sta", old_file);
    bytes record;
    const uint8_t rule_110 = 0x6e;
    encode_stat_record(&rule_110, 1, 0.25f, 0.18f, record);
    ASSERT_EQ(record.size(), 3u);
    // The record breaks after 1 byte, then after 2: neither stays.
    for (size_t torn : {1u, 2u}) {
        torn_writes::start(torn);
        testing::internal::CaptureStderr();
        EXPECT_EQ(save_record("my_stat.sta", record.data(), record.size()), -1);
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(contents("my_stat.sta"), old_file);
    }
    torn_writes::stop();
    EXPECT_EQ(save_record("my_stat.sta", record.data(), record.size()), 0);
    bytes file = contents("my_stat.sta");
    ASSERT_EQ(file.size(), 4098u);
    std::vector<uint8_t> records;
    size_t spare = 99;
    ASSERT_TRUE(decode_stat_sample(file.data(), file.size(), 3, records, &spare));
    EXPECT_EQ(spare, 0u);
    EXPECT_EQ(bytes(file.end() - 3, file.end()), record);
}

TEST_F(WholeAppends, TheBrowsersAppendSaveIsWholeAndSaysEveryFailure)
{
    write_file("sorted.sta", bytes{1, 2, 3});
    bytes buffer(3000);
    for (size_t i = 0; i < buffer.size(); i++)
        buffer[i] = static_cast<uint8_t>(i % 251);
    torn_writes::start(1000);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(save_browser_file("sorted.sta", buffer.data(), buffer.size(), save_way::append));
    EXPECT_FALSE(save_browser_file("sorted.sta", buffer.data(), buffer.size(), save_way::append));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(contents("sorted.sta"), (bytes{1, 2, 3}));
    // A save the user asked for is answered every time.
    EXPECT_EQ(count_of(said, "file error sorted.sta: No space left on device\n"), 2u);
    torn_writes::stop();
    EXPECT_TRUE(save_browser_file("sorted.sta", buffer.data(), buffer.size(), save_way::append));
    bytes expected{1, 2, 3};
    expected.insert(expected.end(), buffer.begin(), buffer.end());
    EXPECT_EQ(contents("sorted.sta"), expected);
}

TEST_F(WholeAppends, TheNetworkListingIsAppendedWholeOrNotAtAll)
{
    // The listing's figures need the Z parameters, kept for the process.
    if (!zparam)
        allocate_mem_Z_parameter();
    srandom(5);
    MixNetwork net(2, 40, {2, 3});
    pdata = data_off;
    filedata = 1;
    snprintf(filename_data, kFileNameSize, "%s", "ref.dat");
    write_network_listing(listing_both);
    const std::string listing = text_of("ref.dat");
    ASSERT_GT(listing.size(), 600u);
    snprintf(filename_data, kFileNameSize, "%s", "net.dat");
    write_file("net.dat", bytes{'b', 'a', 's', 'i', 'n', '\n'});
    // A write goes through, the next breaks after 300 bytes and the retry
    // of its rest fails, and so on: of three listings the second fails.
    torn_writes::start(300, 1);
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; i++)
        write_network_listing(listing_both);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(torn_writes::failures, 1);
    EXPECT_EQ(text_of("net.dat"), "basin\n" + listing + listing);
    EXPECT_EQ(said, "file error net.dat: No space left on device\n");
}

}  // namespace
