// Update orders: rank and unrank, the random order against the plain
// cell-by-cell probing walk, and the order file with its refusals.
#include "engine/forward/forward_test_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "engine/forward/update_order.h"
#include "ui/forward/order_file.h"

namespace {

TEST(OrderRank, SmallExamples)
{
    uint16_t order[3] = {2, 0, 1};
    EXPECT_EQ(order_to_index(order, 3), 4u);
    index_to_order(4, order, 3);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 3), (std::vector<uint16_t>{2, 0, 1}));
    index_to_order(0, order, 3);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 3), (std::vector<uint16_t>{0, 1, 2}));
    index_to_order(5, order, 3);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 3), (std::vector<uint16_t>{2, 1, 0}));
    uint16_t one[1] = {0};
    EXPECT_EQ(order_to_index(one, 1), 0u);
}

TEST(OrderRank, RoundTripsForEveryOrderUpToEightCells)
{
    for (int n = 1; n <= 8; n++) {
        uint32_t total = fact(n);
        std::vector<uint16_t> order(n), previous(n);
        for (uint32_t index = 0; index < total; index++) {
            index_to_order(index, order.data(), n);
            ASSERT_TRUE(is_permutation(order.data(), n));
            ASSERT_EQ(order_to_index(order.data(), n), index) << "n=" << n;
            // Lexicographic: each order comes after the one before.
            if (index > 0) {
                ASSERT_TRUE(previous < order);
            }
            previous = order;
        }
    }
}

TEST(OrderRank, TwelveCellsAreExact)
{
    std::vector<uint16_t> order(12);
    index_to_order(fact(12) - 1, order.data(), 12);
    for (int i = 0; i < 12; i++)
        EXPECT_EQ(order[i], 11 - i);
    EXPECT_EQ(order_to_index(order.data(), 12), 479001599u);
    // An index beyond the orders still gives a permutation.
    index_to_order(4294967295u, order.data(), 12);
    EXPECT_TRUE(is_permutation(order.data(), 12));
    std::vector<uint16_t> big(40);
    index_to_order(123456789u, big.data(), 40);
    EXPECT_TRUE(is_permutation(big.data(), 40));
}

// The random order as the plain walk draws it: cell by cell, no skipping.
std::vector<uint16_t>
plain_random_order(int n)
{
    std::vector<uint16_t> order(n);
    std::vector<bool> ticked(n, false);
    for (int i = 0; i < n; i++) {
        int c = static_cast<int>(random() % n);
        int d = static_cast<int>(random() % 2) - 1;
        if (d == 0)
            d = 1;
        while (ticked[c]) {
            c += d;
            if (c == n)
                c = 0;
            if (c < 0)
                c = n - 1;
        }
        order[i] = static_cast<uint16_t>(c);
        ticked[c] = true;
    }
    return order;
}

TEST(RandomOrder, SameCellsAsThePlainWalk)
{
    for (int n : {1, 2, 7, 8, 9, 63, 64, 65, 130, 1000, 4099}) {
        srandom(static_cast<unsigned>(n));
        std::vector<uint16_t> expect = plain_random_order(n);
        srandom(static_cast<unsigned>(n));
        std::vector<uint16_t> order(n);
        std::vector<uint8_t> tickoff((n + 7) / 8, 0);
        draw_random_order(order.data(), n, tickoff.data());
        EXPECT_EQ(order, expect) << "n=" << n;
        EXPECT_TRUE(is_permutation(order.data(), n));
    }
}

TEST(RandomOrder, SetupGivesModeThreeAndAPermutation)
{
    TestNetwork net(2, 33, 3);
    seq_update = update_parallel;
    setup_random_sequence();
    EXPECT_EQ(seq_update, update_seq_order);
    EXPECT_TRUE(is_permutation(seq_order, lineL));
    seq_update = update_parallel;
}

TEST(RandomOrder, IdentityAndReverse)
{
    uint16_t order[4];
    identity_order(order, 4);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 4), (std::vector<uint16_t>{0, 1, 2, 3}));
    reverse_order(order, 4);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 4), (std::vector<uint16_t>{3, 2, 1, 0}));
    uint16_t twice[3] = {0, 2, 2};
    EXPECT_FALSE(is_permutation(twice, 3));
    uint16_t outside[3] = {0, 1, 3};
    EXPECT_FALSE(is_permutation(outside, 3));
}

class OrderFile : public ::testing::Test {
protected:
    std::string dir_;
    void SetUp() override
    {
        char pattern[] = "/tmp/zemra_order_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override
    {
        std::string cmd = "rm -rf " + dir_;
        ASSERT_EQ(system(cmd.c_str()), 0);
    }
    std::string path(const char *name) const { return dir_ + "/" + name; }
    void write_bytes(const std::string &name, const std::vector<uint8_t> &bytes)
    {
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(fd);
    }
    std::vector<uint8_t> read_bytes(const std::string &name)
    {
        std::vector<uint8_t> bytes(4096);
        int fd = open(name.c_str(), O_RDONLY);
        EXPECT_GE(fd, 0);
        ssize_t got = read(fd, bytes.data(), bytes.size());
        close(fd);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return bytes;
    }
};

TEST_F(OrderFile, SavedMostSignificantByteFirstAndLoadedBack)
{
    TestNetwork net(2, 300, 3);
    reverse_order(seq_order, lineL);
    std::string name = path("my_order.ord");
    ASSERT_EQ(save_order_file(name.c_str()), order_file_ok);
    std::vector<uint8_t> bytes = read_bytes(name);
    ASSERT_EQ(bytes.size(), 600u);
    // entry 0 = 299 = 0x012B, entry 299 = 0
    EXPECT_EQ(bytes[0], 0x01);
    EXPECT_EQ(bytes[1], 0x2B);
    EXPECT_EQ(bytes[598], 0);
    EXPECT_EQ(bytes[599], 0);
    struct stat st;
    ASSERT_EQ(stat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    identity_order(seq_order, lineL);
    char message[80];
    ASSERT_EQ(load_order_file(name.c_str(), message, sizeof message), order_file_ok);
    for (uint32_t i = 0; i < lineL; i++)
        EXPECT_EQ(seq_order[i], lineL - 1 - i);
}

TEST_F(OrderFile, WrongLengthIsRefused)
{
    TestNetwork net(2, 7, 3);
    identity_order(seq_order, lineL);
    std::string name = path("long.ord");
    write_bytes(name, std::vector<uint8_t>(16, 0));
    char message[80];
    EXPECT_EQ(load_order_file(name.c_str(), message, sizeof message), order_file_wrong_size);
    EXPECT_STREQ(message, "filesize(8)!=netsize(7), cont-ret");
    for (uint32_t i = 0; i < lineL; i++)
        EXPECT_EQ(seq_order[i], i);
}

TEST_F(OrderFile, EntriesThatAreNotAnOrderAreRefused)
{
    TestNetwork net(2, 4, 3);
    identity_order(seq_order, lineL);
    char message[80];
    // An entry beyond the network: cell 0x0100.
    std::string name = path("beyond.ord");
    write_bytes(name, {0, 3, 1, 0, 0, 1, 0, 2});
    EXPECT_EQ(load_order_file(name.c_str(), message, sizeof message), order_file_not_order);
    EXPECT_STREQ(message, "order not a permutation of 0-3, cont-ret");
    // A cell twice.
    write_bytes(name, {0, 3, 0, 3, 0, 1, 0, 2});
    EXPECT_EQ(load_order_file(name.c_str(), message, sizeof message), order_file_not_order);
    for (uint32_t i = 0; i < lineL; i++)
        EXPECT_EQ(seq_order[i], i);
    // A true order is taken.
    write_bytes(name, {0, 3, 0, 0, 0, 1, 0, 2});
    EXPECT_EQ(load_order_file(name.c_str(), message, sizeof message), order_file_ok);
    EXPECT_EQ(std::vector<uint16_t>(seq_order, seq_order + 4), (std::vector<uint16_t>{3, 0, 1, 2}));
}

TEST_F(OrderFile, MissingFileIsAnError)
{
    TestNetwork net(2, 4, 3);
    char message[80] = "x";
    EXPECT_EQ(load_order_file(path("none.ord").c_str(), message, sizeof message), order_file_error);
    EXPECT_STREQ(message, "");
    EXPECT_EQ(save_order_file(path("no_dir/x.ord").c_str()), order_file_error);
}

} // namespace
