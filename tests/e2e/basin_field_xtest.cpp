// The basin field through the real program: a 1d ring of 9 cells, v = 2,
// k = 3, a rule typed as a decimal number, basin data saved to the data
// file, and the field drawn; the file's basin lines, basin count, size and
// garden-of-Eden lines equal a brute-force analysis of the rule's successor
// map on that ring. Once with the pre-image method and once with the
// successor table ('e'), whose dialog is answered with Return. And the
// README's first basin field (rule 110 on 12 cells), typed key by key as the
// README gives them, whose data file holds the brute force's basins and the
// line the README explains; in the build run.sh makes, started through
// run.sh from an empty folder, where the files land and not in the checkout.
// And a field of 2^21 states answers 'q' and SIGTERM at once.
#include "e2e/e2e_fixture.h"
#include "support/ring_oracles.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr int kCells = 9;

// What a basin line says, less the attractor's number and share: period,
// size, garden-of-Eden states, deepest level and largest in-degree.
using basin_key = std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t>;

struct field_analysis {
    std::map<basin_key, uint32_t> basins; // each kind of basin and how many there are
    uint32_t count = 0, gofe = 0;
    uint32_t lines = 0; // basin lines read from a data file
};

// The successor map of an elementary rule on a ring of n cells, each basin
// measured by following every state to its cycle.
field_analysis
brute_field(uint32_t rule, int n)
{
    uint32_t states = 1u << n;
    std::vector<uint32_t> next = ring_successors(n, rule), indegree(states, 0);
    for (uint32_t t : next)
        indegree[t]++;
    // Each state's basin (its cycle's smallest state) and its depth, 0 on
    // the cycle.
    std::vector<uint32_t> root, depth;
    walk_map(next, depth, root);
    std::map<uint32_t, basin_key> per_cycle;
    for (uint32_t s = 0; s < states; s++) {
        basin_key &k = per_cycle[root[s]];
        std::get<1>(k)++;
        std::get<2>(k) += indegree[s] == 0 ? 1 : 0;
        std::get<3>(k) = std::max(std::get<3>(k), depth[s]);
        std::get<4>(k) = std::max(std::get<4>(k), indegree[s]);
        if (depth[s] == 0)
            std::get<0>(k)++;
    }
    field_analysis a;
    for (const auto &c : per_cycle) {
        a.basins[c.second]++;
        a.count++;
        a.gofe += std::get<2>(c.second);
    }
    return a;
}

class FieldRoad : public ZemraWorkTest {
protected:
    FieldRoad() : ZemraWorkTest("zemra-e2e-field") {}
    // From the first screen to a field of rule on a ring of cells (9 unless
    // given), basin data to my_data.dat; method "" (the pre-image method) or
    // "e".
    void road_to_field(uint32_t rule, const std::string &method, int cells = kCells)
    {
        launch();
        answer({"\r",                      // basin field
                "\r", "\r",                // value range 2, no size range
                std::to_string(cells) + "\r", "\r", // size, scale
                "\r", "\r",                // k = 3, regular 1d
                "\r", "\r",                // rule tables, a single rule
                "d\r", std::to_string(rule) + "\r",
                "\r",                      // no transformation
                "\r",                      // network view: on to the settings
                "t\r",                     // revise from pause/data
                "\r", "\r",                // no data pause, no printed data
                "1\r", "\r", "\r",         // basin data saved: my_data.dat, confirmed
                "\r",                      // no attractor meta-graph
                "\r", "\r",                // mutation: the default
                method + "\r"});           // field prompt
        if (!method.empty())
            answer({"\r"});                // successor table: computed
    }
};

// The data file's basin lines, summed the way brute_field sums.
field_analysis
read_field(const std::string &data, std::string &size_line, std::string &g_line)
{
    field_analysis a;
    std::istringstream in(data);
    std::string line;
    while (std::getline(in, line)) {
        unsigned type, no, p, s, g, ml, mp;
        char att[40];
        float share, gd;
        if (sscanf(line.c_str(), "%u. %39s %u (%u) %u %f%% %u %f %u %u", &type, att, &no, &p, &s,
                   &share, &g, &gd, &ml, &mp) == 10) {
            a.basins[basin_key(p, s, g, ml, mp)] += no;
            a.count += no;
            a.lines++;
            a.gofe += no * g;
        } else if (line.rfind("n=", 0) == 0) {
            size_line = line;
        } else if (line.rfind("g=", 0) == 0) {
            g_line = line;
        }
    }
    return a;
}

void
expect_field_of(uint32_t rule, const std::string &data, int n = kCells)
{
    field_analysis expected = brute_field(rule, n);
    std::string size_line, g_line;
    field_analysis got = read_field(data, size_line, g_line);
    EXPECT_EQ(got.basins, expected.basins) << data;
    EXPECT_EQ(got.count, expected.count);
    char text[80];
    snprintf(text, sizeof text, "basin types=%u total basins=%u\n", got.lines, expected.count);
    EXPECT_NE(data.find(text), std::string::npos) << data;
    snprintf(text, sizeof text, "n=%d field=%u", n, 1u << n);
    EXPECT_EQ(size_line, text);
    snprintf(text, sizeof text, "g=%u=%.3g ", expected.gofe, expected.gofe / double(1u << n));
    EXPECT_EQ(g_line, text);
}

TEST_F(FieldRoad, DecimalRuleFieldLinesEqualTheBruteForceAnalysis)
{
    road_to_field(110, "");
    std::string data;
    ASSERT_TRUE(wait_until([&] { return (data = work.read("my_data.dat")).find("g=") != std::string::npos; }))
        << "no field summary in my_data.dat:\n" << data;
    EXPECT_NE(data.find("ty.  at  no  (p)  s  %  g  gd  ml  mp\n"), std::string::npos) << data;
    expect_field_of(110, data);
    // Every basin was drawn on the window, not only the first.
    EXPECT_EQ(zemra->stderr_text().find("X error"), std::string::npos) << zemra->stderr_text();
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

TEST_F(FieldRoad, SuccessorTableFieldGivesTheSameLines)
{
    road_to_field(54, "e");
    std::string data;
    ASSERT_TRUE(wait_until([&] { return (data = work.read("my_data.dat")).find("g=") != std::string::npos; }))
        << "no field summary in my_data.dat:\n" << data;
    expect_field_of(54, data);
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

// How long a field of 2^21 states may take to answer 'q' or SIGTERM, on a
// machine whose every core is busy and under the sanitizers: it answers in
// a few hundredths of a second, where its measure and its fit went for a
// minute and more without a poll.
constexpr double kAnswerPatience = 10;

// Rule 204 on 21 cells: every state its own basin, 2^21 of them, in
// rotation classes of up to 21; the field is measured and fitted before its
// first basin. 'q' typed as it starts opens the field's stop prompt at
// once, and its 'q' ends the field.
TEST_F(FieldRoad, AFieldOf2To21StatesAnswersQAtOnce)
{
    road_to_field(204, "", 21);
    zemra->type_now("q");
    ASSERT_TRUE(zemra->wait_ready_for_key(kAnswerPatience)) << "'q' not answered";
    zemra->type("q");
    ASSERT_TRUE(zemra->wait_ready_for_key(kAnswerPatience)) << "the stopped field did not end";
    EXPECT_EQ(zemra->quit_by_steps(), 0);
}

// SIGTERM as the same field starts ends the program through its clean end.
TEST_F(FieldRoad, AFieldOf2To21StatesEndsAtOnceOnSigterm)
{
    road_to_field(204, "", 21);
    ASSERT_GT(zemra->pid(), 0) << "no program to signal";
    kill(zemra->pid(), SIGTERM);
    EXPECT_EQ(zemra->wait_exit(kAnswerPatience), 0) << "SIGTERM not answered";
    EXPECT_NE(zemra->stderr_text().find("Zemra clean exit"), std::string::npos);
}

// The indented blocks of the README's section that starts with heading:
// each block its lines, the indentation taken off.
std::vector<std::vector<std::string>>
readme_blocks(const std::string &heading)
{
    std::ifstream in(ZEMRA_README);
    std::vector<std::vector<std::string>> blocks;
    std::string line;
    bool inside = false, in_block = false;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) {
            if (inside)
                break;
            inside = line == heading;
            continue;
        }
        bool code = line.rfind("    ", 0) == 0;
        if (inside && code) {
            if (!in_block)
                blocks.emplace_back();
            blocks.back().push_back(line.substr(4));
        }
        in_block = inside && code;
    }
    return blocks;
}

// The keys of a walk-through line: its first word, "[Ret]" standing for
// Return.
std::string
keys_of(const std::string &line)
{
    std::string word = line.substr(0, line.find(' '));
    std::string keys;
    const std::string ret = "[Ret]";
    for (size_t i = 0; i < word.size();) {
        if (word.compare(i, ret.size(), ret) == 0) {
            keys += '\r';
            i += ret.size();
        } else {
            keys += word[i++];
        }
    }
    return keys;
}

#ifdef ZEMRA_RUN_SH
// The names in a folder (only the build run.sh makes looks at them).
std::set<std::string>
names_in(const std::string &folder)
{
    std::set<std::string> names;
    if (DIR *dir = opendir(folder.c_str())) {
        while (dirent *entry = readdir(dir))
            names.insert(entry->d_name);
        closedir(dir);
    }
    return names;
}
#endif

TEST_F(FieldRoad, ReadmeWalkThroughWritesItsDataFile)
{
    std::vector<std::vector<std::string>> blocks = readme_blocks("## A first basin field");
    ASSERT_EQ(blocks.size(), 2u) << "the walk-through's keys and its data line";
#ifdef ZEMRA_RUN_SH
    // In the build run.sh makes, zemra starts as the README says: run.sh
    // called from an empty folder (this test's own), where its files land.
    const std::string checkout = std::string(ZEMRA_RUN_SH).substr(0, std::string(ZEMRA_RUN_SH).rfind('/'));
    const std::set<std::string> in_checkout = names_in(checkout);
    launch({}, ZEMRA_RUN_SH);
#else
    launch();
#endif
    for (const std::string &line : blocks[0]) {
        std::string keys = keys_of(line);
        ASSERT_FALSE(keys.empty()) << line;
        zemra->type(keys);
        // The meta-graph's box of three lines is taken away whole: the
        // two-line box that follows stands on a cleared place, with no
        // frame row of it left between its foot and the text column.
        if (line.find("no attractor meta-graph") != std::string::npos) {
            ASSERT_TRUE(zemra->wait_ready_for_key());
            int bottom = zemra->prompt_box_bottom();
            ASSERT_GT(bottom, 0);
            int left = zemra->width() / 2 + 2, right = zemra->width() - 4;
            EXPECT_EQ(zemra->marked_pixels(left, bottom + 2, right - left, vy(50) - bottom - 2), 0)
                << "a box's lower part left under the mutation prompt";
        }
    }
    std::string data;
    ASSERT_TRUE(wait_until([&] { return (data = work.read("my_data.dat")).find("g=") != std::string::npos; }))
        << "no field summary in my_data.dat:\n" << data;
    expect_field_of(110, data, 12);
    for (const std::string &line : blocks[1])
        EXPECT_NE(data.find(line + "\n"), std::string::npos) << line << " not in\n" << data;
    // Printed to standard error too: the basin lines of the file.
    std::string printed = zemra->stderr_text();
    EXPECT_NE(printed.find(blocks[1][0]), std::string::npos) << printed;
    EXPECT_EQ(zemra->quit_by_steps(), 0);
#ifdef ZEMRA_RUN_SH
    EXPECT_EQ(names_in(checkout), in_checkout) << "zemra wrote into the checkout";
    EXPECT_TRUE(names_in(".").count("l_v2k3.rul")) << "the last rule is not beside the data file";
#endif
}

} // namespace
