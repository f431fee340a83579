// The rule-sample browser on the window of this process, answered through
// the server: a file with spare bytes loaded as its whole records, an empty
// file refused with the sample kept, the list's choice put into the
// network and the screen put back, the sort saved without truncating a
// file unasked, the frequency grid's file ("my_grid", kept until 'o'), and
// stat_rule's index choices. With ZEMRA_SCREENSHOTS naming a folder, the
// window is saved there at the scatter, the list and the histogram.
#include "support/x_test_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "engine/forward/forward_test_support.h"
#include "engine/measures/rule_sample.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/storage/stat_record_codec.h"
#include "support/work_dir.h"
#include "ui/measures/rule_stats.h"
#include "ui/measures/run_records.h"
#include "ui/measures/sample_browser.h"
#include "ui/measures/sample_rule.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"
#include "ui/storage/file_dialog.h"

namespace {

using bytes = std::vector<uint8_t>;

bytes
file_bytes(const char *name)
{
    std::ifstream in(name, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void
write_bytes(const char *name, const bytes &data)
{
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
}

bool
exists(const char *name)
{
    struct stat st;
    return stat(name, &st) == 0;
}

// count records of k = 5 rules (R = 4) as the sampling writes them, with
// means and sds spread over the plane.
bytes
sample_file(int count, unsigned seed)
{
    srandom(seed);
    bytes file;
    for (int r = 0; r < count; r++) {
        uint8_t rule[4];
        for (uint8_t &b : rule)
            b = static_cast<uint8_t>(random());
        float mean = 0.2f + 0.6f * static_cast<float>(random() % 1000) / 1000;
        float sd = 0.01f + 0.15f * static_cast<float>(random() % 1000) / 1000;
        encode_stat_record(rule, 4, mean, sd, file);
    }
    return file;
}

// The network of a test with the sample it loads: the sample is freed
// before the network counts its arrays back.
struct SampledNetwork : TestNetwork {
    SampledNetwork() : TestNetwork(2, 16, 5) {}
    ~SampledNetwork()
    {
        checked_free(statbuf);
        statbuf = nullptr;
        sizeof_statbuf = 0;
        totstatrules = 0;
    }
};

class RuleStats : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        ASSERT_TRUE(work.enter("zemra-rule-stats"));
        setviewport(0, 0, Maxx, Maxy, 1);
        clearviewport();
    }
    void TearDown() override
    {
        work.leave();
    }

    // Loads name through the dialog with the keys after it (spare-bytes
    // key, menu answers ...); returns load_rule_stats' result.
    static size_t load(const std::string &keys)
    {
        paced_thread typist = type_keys_paced(keys);
        size_t loaded = load_rule_stats(0, 0);
        typist.join();
        return loaded;
    }

    work_dir work;
};

TEST_F(RuleStats, SpareBytesAreReportedAndTheWholeRecordsBrowsed)
{
    SampledNetwork net;
    bytes file = sample_file(3, 1);
    file.insert(file.end(), {1, 2, 3, 4, 5});
    write_bytes("three.sta", file);
    // Name, confirmation, the spare-bytes message, the menu's quit.
    EXPECT_EQ(load("three\r\r\rq"), 18u);
    EXPECT_EQ(totstatrules, 3u);
    EXPECT_EQ(sizeof_statbuf, 18u);
    EXPECT_EQ(bytes(statbuf, statbuf + 18), bytes(file.begin(), file.begin() + 18));
}

TEST_F(RuleStats, AnEmptyFileIsRefusedAndTheSampleKept)
{
    SampledNetwork net;
    write_bytes("some.sta", sample_file(4, 2));
    ASSERT_EQ(load("some\r\rq"), 24u);
    bytes kept(statbuf, statbuf + sizeof_statbuf);
    write_bytes("empty.sta", {});
    // Name, confirmation, the file error's key.
    EXPECT_EQ(load("empty\r\r\r"), 0u);
    EXPECT_EQ(is[0], 'q');
    EXPECT_EQ(totstatrules, 4u);
    EXPECT_EQ(bytes(statbuf, statbuf + sizeof_statbuf), kept);
}

TEST_F(RuleStats, AFileShorterThanARecordIsRefusedWithItsLength)
{
    SampledNetwork net;
    write_bytes("some.sta", sample_file(4, 2));
    ASSERT_EQ(load("some\r\rq"), 24u);
    write_bytes("tooshort.sta", {1, 2, 3, 4, 5});
    // Name, confirmation, the file error's key; the box is looked at
    // before its key.
    const std::string keys = "tooshort\r\r\r";
    paced_thread typist = type_keys_looking(keys, [&keys](size_t i) {
        if (i + 1 == keys.size())
            screenshot("stat_sample_too_short");
    });
    EXPECT_EQ(load_rule_stats(0, 0), 0u);
    typist.join();
    EXPECT_EQ(last_file_error(),
              "file error tooshort.sta: 5 bytes, a v2k5 record is 6, cont-ret:");
    EXPECT_EQ(totstatrules, 4u);
}

TEST_F(RuleStats, TheRuleChosenFromTheListIsTheNetworksAndTheScreenComesBack)
{
    SampledNetwork net;
    bytes file = sample_file(30, 3);
    write_bytes("thirty.sta", file);
    setfillstyle(0, blue);
    bar(Maxx / 2 + 20, 10, Maxx - 20, WinMaxy / 2);
    flush_display();
    unsigned long under_list = window_pixel(Maxx - 40, WinMaxy / 3);
    unsigned long under_prompt = window_pixel(Maxx - 40, 12);
    // Menu: list all; the first page ends ("more"), Return to the second
    // and last; Return there stops; select record 17; the menu's quit.
    paced_thread typist = type_keys_looking("thirty\r\rl\r\r\rs17\rq", [](size_t i) {
        if (i == 10)
            screenshot("rule_stats_list");
    });
    load_rule_stats(0, 0);
    typist.join();
    EXPECT_EQ(last_chosen_sample_rule(), 17u);
    stat_sample s{file.data(), 6, 30};
    EXPECT_EQ(bytes(carule[0], carule[0] + 4), bytes(sample_record(s, 17), sample_record(s, 17) + 4));
    EXPECT_EQ(window_pixel(Maxx - 40, WinMaxy / 3), under_list);
    EXPECT_EQ(window_pixel(Maxx - 40, 12), under_prompt);
}

TEST_F(RuleStats, TheSortIsSavedAndAnExistingFileIsKeptUnlessOverwritten)
{
    SampledNetwork net;
    bytes file = sample_file(200, 4);
    write_bytes("many.sta", file);
    bytes sorted = file;
    sort_stat_sample(sorted.data(), 6, 200);
    // Sort, save to a new file "srt", then sort again onto it: kept at
    // 'x', replaced at 'o'; then appended at 'a'.
    load("many\r\rs\rsrt\r\r\rq");
    EXPECT_EQ(file_bytes("srt.sta"), sorted);
    EXPECT_EQ(bytes(statbuf, statbuf + sizeof_statbuf), sorted);
    write_bytes("srt.sta", {9, 9, 9});
    paced_thread typist = type_keys_paced("s\rsrt\r\r\rx\rs\rsrt\r\ra\rq");
    load_rule_stats(1, 0);
    typist.join();
    bytes appended = {9, 9, 9};
    appended.insert(appended.end(), sorted.begin(), sorted.end());
    EXPECT_EQ(file_bytes("srt.sta"), appended);
    typist = type_keys_paced("s\rsrt\r\r\ro\rq");
    load_rule_stats(1, 0);
    typist.join();
    EXPECT_EQ(file_bytes("srt.sta"), sorted);
}

TEST_F(RuleStats, TheGridGoesToMyGridAndAnExistingOneIsKeptUntilO)
{
    SampledNetwork net;
    bytes file = sample_file(400, 5);
    write_bytes("grid.sta", file);
    write_bytes("my_grid.dat", {'k', 'e', 'e', 'p'});
    // Plot against mean entropy, leave the probe, 'f': subdivision 2, save
    // data, no log, no grid; the default name; 'n' at the overwrite
    // question; a key after the drawing; back to the menu and out.
    paced_thread typist = type_keys_looking("grid\r\r\rqf\r2\rd\r\r\r\r\rn\r\r\rq", [](size_t i) {
        if (i == 7)
            screenshot("rule_stats_scatter");
    });
    load_rule_stats(0, 0);
    typist.join();
    EXPECT_EQ(file_bytes("my_grid.dat"), (bytes{'k', 'e', 'e', 'p'}));
    EXPECT_FALSE(exists("my_data.dat"));
    // Again with 'o', and the percentages shown at step 'S' (keys after
    // each of the two rows).
    typist = type_keys_looking("\rqf\r2\rdS\rl\r\r\r\ro\r\r\r\r\rq", [](size_t i) {
        if (i == 18)
            screenshot("rule_stats_histogram");
    });
    load_rule_stats(1, 0);
    typist.join();
    stat_sample s{file.data(), 6, 400};
    frequency_grid g =
        build_frequency_grid(sample_y_bytes(s, sample_y_mean, {}, {}), sample_sd_bytes(s), 2);
    std::string text = frequency_grid_text(g);
    EXPECT_EQ(file_bytes("my_grid.dat"), bytes(text.begin(), text.end()));
}

// The frequency histogram stepped row by row ('S'): each row's wait and
// the last one show on the view's top line what the keys do, and the
// questions' box has given back what it covered before the view is drawn.
TEST_F(RuleStats, TheFrequencyHistogramShowsItsInputAtEveryWait)
{
    SampledNetwork net;
    write_bytes("grid.sta", sample_file(400, 5));
    setfillstyle(0, blue);
    bar(Maxx / 2 + 20, 10, Maxx - 20, 60);
    flush_display();
    const unsigned long under_questions = window_pixel(Maxx - 40, 12);
    rule_browser b;
    const view_area view = histogram_view_area(sample_plot_frame(b));
    // The prompt's width, the entry's cursor after it left out.
    const char *const step_prompt = "next row-ret, all rows-q:";
    const int line_width = text_pixel_width(step_prompt, static_cast<int>(strlen(step_prompt)));
    std::vector<std::vector<unsigned long>> waits;
    unsigned long questions_place = 0;
    // Load, plot against mean entropy, leave the probe, 'f': subdivision
    // 4, step with the percentages, no log, no grid; the four rows and the
    // end; back to the menu and out.
    const std::string keys = "grid\r\r\rqf\r4\rS\r\r\r\r\r\r\r\r\rq";
    paced_thread typist = type_keys_looking(keys, [&](size_t i) {
        if (i < 16 || i > 20)
            return;
        if (i == 16)
            questions_place = pixel_seen(Maxx - 40, 12);
        waits.push_back(pixels_seen(view.left + 3, view.top + 3, line_width, CHeight));
        if (i == 20)
            screenshot("rule_stats_histogram_end");
    });
    load_rule_stats(0, 0);
    typist.join();
    EXPECT_EQ(questions_place, under_questions) << "the questions' box was not put back";
    ASSERT_EQ(waits.size(), 5u);
    // The lines as they were shown, against the prompts drawn there now.
    auto shown = [&](const char *text) {
        setfillstyle(0, black);
        bar(view.left + 3, view.top + 3, view.left + 2 + line_width, view.top + 2 + CHeight);
        setcolor(white);
        moveto(view.left + 3, view.top + 3);
        outtext(text);
        flush_display();
        return pixels_seen(view.left + 3, view.top + 3, line_width, CHeight);
    };
    const std::vector<unsigned long> step = shown(step_prompt);
    for (size_t w = 0; w < 4; w++)
        EXPECT_EQ(waits[w], step) << "row " << w << "'s wait";
    const char *const end_prompt = "cont-ret:";
    const size_t end_width = static_cast<size_t>(
        text_pixel_width(end_prompt, static_cast<int>(strlen(end_prompt))));
    std::vector<unsigned long> end = shown(end_prompt), end_wait = waits[4];
    // Row by row, only the end prompt's columns.
    for (int y = CHeight - 1; y >= 0; y--) {
        auto row = [&](std::vector<unsigned long> &p) {
            p.erase(p.begin() + y * line_width + static_cast<long>(end_width),
                    p.begin() + (y + 1) * line_width);
        };
        row(end);
        row(end_wait);
    }
    EXPECT_EQ(end_wait, end) << "the last wait";
}

TEST_F(RuleStats, StatRuleTakesRecordOneOutsideTheSample)
{
    SampledNetwork net;
    run_iteration it{};
    it.scan_length = 150;
    // No sample: mode 0 opens the loader (backed out) and changes nothing.
    TestNetwork::set_rule_number(0x12345678);
    bytes rule_before(carule[0], carule[0] + 4);
    paced_thread typist = type_keys_paced("q");
    EXPECT_EQ(stat_rule(0, 0, &it, 0), 0u);
    typist.join();
    EXPECT_EQ(bytes(carule[0], carule[0] + 4), rule_before);

    bytes file = sample_file(12, 6);
    write_bytes("twelve.sta", file);
    load("twelve\r\rq");
    stat_sample s{file.data(), 6, 12};
    auto rule_of = [&](uint32_t i) { return bytes(sample_record(s, i), sample_record(s, i) + 4); };
    EXPECT_EQ(stat_rule(1, 0, &it, 0), 1u);
    EXPECT_EQ(bytes(carule[0], carule[0] + 4), rule_of(1));
    EXPECT_EQ(stat_rule(1, 13, &it, 0), 1u);
    EXPECT_EQ(stat_rule(1, 12, &it, 0), 12u);
    EXPECT_EQ(bytes(carule[0], carule[0] + 4), rule_of(12));
    // Return at the question takes record 1; no scanning.
    typist = type_keys_paced("\r\r");
    EXPECT_EQ(stat_rule(0, 0, &it, 0), 1u);
    typist.join();
    EXPECT_EQ(bytes(carule[0], carule[0] + 4), rule_of(1));
    EXPECT_EQ(it.scan_sample, 0);
    // Index 7 with scanning in blocks of 40 steps.
    typist = type_keys_paced("7\ri\r40\r");
    EXPECT_EQ(stat_rule(0, 0, &it, 0), 7u);
    typist.join();
    EXPECT_EQ(bytes(carule[0], carule[0] + 4), rule_of(7));
    EXPECT_EQ(it.scan_sample, 1);
    EXPECT_EQ(it.scan_length, 40);
    // 'q' returns 0 and changes nothing.
    typist = type_keys_paced("q");
    EXPECT_EQ(stat_rule(0, 0, &it, 0), 0u);
    typist.join();
    EXPECT_EQ(bytes(carule[0], carule[0] + 4), rule_of(7));
}

} // namespace
