// The update-order file: seq_order saved and loaded back, and the refusals.
#include "engine/forward/forward_test_support.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "engine/forward/update_order.h"
#include "ui/forward/order_file.h"

namespace {

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
    EXPECT_STREQ(message, "entry 1 is 256, cells run 0-3");
    // A cell twice.
    write_bytes(name, {0, 3, 0, 3, 0, 1, 0, 2});
    EXPECT_EQ(load_order_file(name.c_str(), message, sizeof message), order_file_not_order);
    EXPECT_STREQ(message, "cell 3 twice, entries 0 and 1");
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
