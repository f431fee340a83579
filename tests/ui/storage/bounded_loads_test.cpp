// Loads that are bounded and open nothing but regular files: every loader
// given a (sparse) file one byte larger than the largest valid file of its
// kind, a 64 GiB one, a FIFO with no writer and a directory refuses it with
// the file error box saying why, at once (a FIFO held an open for ever),
// and leaves what it loads into exactly as it was. A file of the largest
// valid size itself is read (refused, if at all, for its contents).
#include "ui/storage/storage_test_support.h"

#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/network_arrays.h"
#include "engine/storage/in_degree_codec.h"
#include "engine/storage/network_file_codec.h"
#include "engine/storage/side_file_codecs.h"
#include "ui/forward/order_file.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/histogram_file.h"
#include "ui/storage/in_degree_file.h"
#include "ui/storage/network_files.h"
#include "ui/storage/rule_samples.h"
#include "ui/storage/side_files.h"

namespace {

// One loader: the name it reads, the largest valid file of its kind, the
// load, and everything the load may change.
struct loader {
    const char *label;
    std::string name;
    uint64_t largest;
    std::function<void()> load;
    std::function<bytes()> state;
};

constexpr int kCells = 10;

class BoundedLoads : public StorageTest {
protected:
    void SetUp() override
    {
        StorageTest::SetUp();
        use_n(kCells);
        nhood = 3;
        nhood_lb = nhood_ub = 3;
        nhoodm = static_cast<int8_t *>(checked_calloc(kCells, 1, "nhoodm"));
        memset(nhoodm, 3, kCells);
        allocate_mem_rule0(3);
        allocate_mem_tcode0(3);
        buffer.assign(64, 0xA5);
        table.assign(64, 0x5A);
        order.resize(kCells);
        for (int c = 0; c < kCells; c++)
            order[c] = static_cast<uint16_t>(kCells - 1 - c);
        seq_order = order.data();
        exh_pairs = static_cast<uint8_t *>(checked_calloc(1024, bytesL, "exh_pairs"));
        memset(exh_pairs, 0x33, 1024 * bytesL);
        maxinhist = 200;
        reset_in_degree_counts(201);
        pre_fan_freq[7] = 77;
        no_glider_rules = static_cast<uint16_t **>(checked_calloc(9, sizeof(uint16_t *), "t"));
        for (int v = 2; v <= 8; v++)
            no_glider_rules[v] = static_cast<uint16_t *>(checked_calloc(14, sizeof(uint16_t), "t"));
        glider_buf = static_cast<uint8_t *>(checked_calloc(4, 1, "glider_buf"));
        carule[0][0] = 0x96;
    }
    void TearDown() override
    {
        for (int v = 2; v <= 8; v++)
            checked_free(no_glider_rules[v]);
        checked_free(no_glider_rules);
        checked_free(glider_buf);
        no_glider_rules = nullptr;
        glider_buf = nullptr;
        checked_free(pre_fan_freq);
        pre_fan_freq = nullptr;
        free_successor_table();
        seq_order = nullptr;
        free_mem_tcode0();
        free_mem_rule0();
        checked_free(nhoodm);
        nhoodm = nullptr;
        StorageTest::TearDown();
    }

    std::vector<loader> loaders()
    {
        std::vector<loader> all;
        bytes *rules = &buffer;
        auto network_state = [rules]() {
            bytes s = *rules;
            s.insert(s.end(), carule[0], carule[0] + rule_bytes(3));
            s.insert(s.end(), nhoodm, nhoodm + kCells);
            return s;
        };
        const char *kinds[5] = {"single rule", "wiring", "rule scheme", "wiring+scheme", "seed"};
        const char *names[5] = {"f.rul", "f.w_s", "f.r_s", "f.wrs", "f.eed"};
        const int what[5] = {0, 1, 2, 3, kSeedFile};
        for (int w = 0; w < 5; w++) {
            int kind = what[w];
            std::string name = names[w];
            all.push_back({kinds[w], name, largest_network_file(kind),
                           [this, name, kind]() { load_wrs_file(name.c_str(), buffer.data(), kind); },
                           network_state});
        }
        auto ks = []() { return bytes(nhoodm, nhoodm + kCells); };
        all.push_back({"k-mix", "f.mix", kLargestKmixFile,
                       []() { load_nhoodmix_file("f.mix", 'l'); }, ks});
        bytes *t = &table;
        all.push_back({"ascii table", "f.tbl", largest_ascii_table_file(7),
                       [t]() { load_ascii_table_file("f.tbl", t->data(), 7); },
                       [t]() { return *t; }});
        all.push_back({"last rule", "l_v2k3.rul", largest_last_rule_file(),
                       [t]() { load_last_rule(t->data(), 3); }, [t]() { return *t; }});
        all.push_back({"histogram", "f.his", kLargestHistogramFile,
                       []() { list_histogram_file("f.his"); }, []() { return bytes(); }});
        std::vector<uint16_t> *o = &order;
        all.push_back({"order", "f.ord", kLargestOrderFile,
                       []() {
                           // The file error box is the dialog's, as in load_save_order.
                           char message[80];
                           if (load_order_file("f.ord", message, sizeof message) ==
                               order_file_error)
                               file_error("f.ord");
                       },
                       [o]() {
                           return bytes(reinterpret_cast<uint8_t *>(o->data()),
                                        reinterpret_cast<uint8_t *>(o->data() + o->size()));
                       }});
        all.push_back({"successor table", "f.exh", successor_file_bytes(),
                       []() { load_exhaustive_file("f.exh"); },
                       []() { return bytes(exh_pairs, exh_pairs + 1024 * bytesL); }});
        all.push_back({"in-degree", "f.prh", 4 * (kInDegreeMostLast + 1),
                       []() { load_in_degree_file("f.prh"); },
                       []() {
                           bytes s(reinterpret_cast<uint8_t *>(pre_fan_freq),
                                   reinterpret_cast<uint8_t *>(pre_fan_freq + 201));
                           s.push_back(static_cast<uint8_t>(maxinhist));
                           return s;
                       }});
        all.push_back({"glider list", "g_v2k3.r_s", largest_glider_list(rule_bytes(3)),
                       []() { load_glider_buf(63); },
                       []() { return bytes(no_glider_rules[2], no_glider_rules[2] + 14); }});
        all.push_back({"rule sample", "v2k3_c0.rul", rule_sample_file_bytes(3, false),
                       []() {
                           no_glider_rules[2][3] = 1;
                           load_samples();
                       },
                       []() { return bytes(carule[0], carule[0] + rule_bytes(3)); }});
        return all;
    }

    // Loads l's file as it stands: the line the file error box wrote (the
    // last line on standard error), and whether the state stayed.
    std::string refusal_of(const loader &l)
    {
        bytes before = l.state();
        is[0] = 0;
        testing::internal::CaptureStderr();
        l.load();
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(l.state(), before) << l.label;
        size_t at = said.rfind("file error");
        return at == std::string::npos ? said : said.substr(at);
    }

    bytes buffer, table;
    std::vector<uint16_t> order;
};

TEST_F(BoundedLoads, AFileLargerThanTheLargestOfItsKindIsRefusedUnread)
{
    for (const loader &l : loaders()) {
        int fd = open(l.name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, static_cast<off_t>(l.largest + 1)), 0) << l.label;
        close(fd);
        std::string said = refusal_of(l);
        // A successor table has one valid size, told apart before reading.
        if (l.name == "f.exh")
            EXPECT_NE(said.find("(wrong file)"), std::string::npos) << said;
        else
            EXPECT_EQ(said, "file error " + l.name + ": File too large\n") << l.label;
        unlink(l.name.c_str());
    }
}

TEST_F(BoundedLoads, TheLargestValidSizeIsRead)
{
    for (const loader &l : loaders()) {
        if (l.largest > (1u << 20))
            continue;  // the small kinds: a large one is all zeros and slow
        int fd = open(l.name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, static_cast<off_t>(l.largest)), 0) << l.label;
        close(fd);
        is[0] = 0;
        testing::internal::CaptureStderr();
        l.load();
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find("too large"), std::string::npos) << l.label;
        unlink(l.name.c_str());
    }
}

TEST_F(BoundedLoads, A64GiBWiringFileIsRefusedWithoutAllocating)
{
    int fd = open("big.w_s", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t(64) << 30), 0);
    close(fd);
    bytes before = buffer;
    testing::internal::CaptureStderr();
    EXPECT_EQ(load_wrs_file("big.w_s", buffer.data(), 1), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "file error big.w_s: File too large\n");
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(buffer, before);
}

TEST_F(BoundedLoads, AFifoIsRefusedAtOnce)
{
    for (const loader &l : loaders()) {
        ASSERT_EQ(mkfifo(l.name.c_str(), 0644), 0) << l.label;
        EXPECT_EQ(refusal_of(l), "file error " + l.name + ": not a regular file\n") << l.label;
        unlink(l.name.c_str());
    }
}

TEST_F(BoundedLoads, ADirectoryIsRefused)
{
    for (const loader &l : loaders()) {
        ASSERT_EQ(mkdir(l.name.c_str(), 0755), 0) << l.label;
        EXPECT_EQ(refusal_of(l), "file error " + l.name + ": Is a directory\n") << l.label;
        rmdir(l.name.c_str());
    }
}

TEST_F(BoundedLoads, AMissingFileSaysSo)
{
    for (const loader &l : loaders()) {
        if (l.name == "g_v2k3.r_s")
            continue;  // a missing glider list is silent
        EXPECT_EQ(refusal_of(l), "file error " + l.name + ": No such file or directory\n")
            << l.label;
    }
}

}  // namespace
