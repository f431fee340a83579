// Graph layout files on plain arrays: four zero bytes, then each node's x
// and y low byte first; negative positions (nodes dragged off the window)
// read back as they were; a file of any other length is refused with the
// positions untouched, and its first four bytes are never read.
#include <gtest/gtest.h>

#include <vector>

#include "engine/storage/graph_layout_codec.h"

namespace {

// Positions of nodes 0..n as the graph keeps them: a pointer per node to
// its x, y pair.
struct positions {
    std::vector<int16_t> pairs;
    std::vector<int16_t *> rows;
    explicit positions(uint32_t n) : pairs(2 * (n + 1)), rows(n + 1)
    {
        for (uint32_t m = 0; m <= n; m++)
            rows[m] = &pairs[2 * m];
    }
};

TEST(GraphLayoutCodec, ZeroHeadThenLowByteFirstPairs)
{
    positions p(2);
    p.rows[0][0] = 77; // node 0 is never written
    p.rows[1][0] = 300;
    p.rows[1][1] = -2;
    p.rows[2][0] = -32768;
    p.rows[2][1] = 32767;
    std::vector<uint8_t> out;
    encode_graph_layout(p.rows.data(), 2, out);
    EXPECT_EQ(out, (std::vector<uint8_t>{0, 0, 0, 0, 0x2c, 0x01, 0xfe, 0xff, 0x00, 0x80, 0xff, 0x7f}));
    EXPECT_EQ(graph_layout_file_length(2), 12u);
}

TEST(GraphLayoutCodec, NegativePositionsSurviveTheRoundTrip)
{
    const uint32_t n = 50;
    positions saved(n), loaded(n);
    for (uint32_t m = 1; m <= n; m++) {
        saved.rows[m][0] = static_cast<int16_t>(-700 + 37 * static_cast<int>(m));
        saved.rows[m][1] = static_cast<int16_t>(1000 - 61 * static_cast<int>(m));
    }
    std::vector<uint8_t> file;
    encode_graph_layout(saved.rows.data(), n, file);
    ASSERT_EQ(file.size(), 4 * n + 4);
    // Whatever the first four bytes hold, they are not read.
    file[0] = 0xff;
    ASSERT_TRUE(decode_graph_layout(file.data(), file.size(), loaded.rows.data(), n));
    for (uint32_t m = 1; m <= n; m++) {
        EXPECT_EQ(loaded.rows[m][0], saved.rows[m][0]) << m;
        EXPECT_EQ(loaded.rows[m][1], saved.rows[m][1]) << m;
    }
}

TEST(GraphLayoutCodec, AnotherLengthIsRefusedAndChangesNothing)
{
    positions p(3);
    for (int16_t &v : p.pairs)
        v = 9;
    std::vector<uint8_t> file(64, 0x11);
    for (size_t size : {0, 4, 15, 17, 12, 20, 64})
        EXPECT_FALSE(decode_graph_layout(file.data(), size, p.rows.data(), 3)) << size;
    for (int16_t v : p.pairs)
        EXPECT_EQ(v, 9);
    EXPECT_TRUE(decode_graph_layout(file.data(), 16, p.rows.data(), 3));
    EXPECT_EQ(p.rows[3][1], 0x1111);
    EXPECT_EQ(p.rows[0][0], 9) << "node 0 is not read";
}

} // namespace
