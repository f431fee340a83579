// The file-name dialog and screen image files on the real window of this
// process, answered through the server as a user would type: default names,
// typed names, the listing, backing out, and saving the window to a *.nat
// file and loading it back, checked against an xwd dump of the window.
#include "support/x_test_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/storage/length_faults.h"
#include "engine/storage/screen_image_codec.h"
#include "ui/model/cell_display.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/screen_image_file.h"
#include "support/work_dir.h"

namespace {

// The window as xwd sees it, converted to a portable pixmap by xwdtopnm:
// one 24-bit pixel value (r << 16 | g << 8 | b) per pixel, row by row.
std::vector<uint32_t>
xwd_dump(int *w, int *h)
{
    XSync(D, False);
    char command[200];
    snprintf(command, sizeof command, "xwd -silent -nobdrs -id %lu | xwdtopnm 2>/dev/null", W);
    FILE *pipe = popen(command, "r");
    std::vector<uint32_t> pixels;
    if (!pipe)
        return pixels;
    char magic[3] = {0};
    int maxval = 0;
    if (fscanf(pipe, "%2s %d %d %d", magic, w, h, &maxval) == 4 && std::string(magic) == "P6" &&
        maxval == 255) {
        fgetc(pipe);
        size_t count = static_cast<size_t>(*w) * *h;
        std::vector<unsigned char> rgb(count * 3);
        if (fread(rgb.data(), 1, rgb.size(), pipe) == rgb.size()) {
            pixels.resize(count);
            for (size_t i = 0; i < count; i++)
                pixels[i] = static_cast<uint32_t>(rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 |
                                                  rgb[3 * i + 2]);
        }
    }
    pclose(pipe);
    return pixels;
}

// A few pixels of a rectangle, to compare before and after.
std::vector<unsigned long>
sample(int x0, int y0, int x1, int y1)
{
    std::vector<unsigned long> pixels;
    for (int y = y0; y <= y1; y += 5)
        for (int x = x0; x <= x1; x += 11)
            pixels.push_back(getpixel(x, y));
    return pixels;
}

// Stripes, bars and text in the sixteen old colours over the drawing area,
// with the bottom strip cleared: the saved picture is the whole window.
void
paint_old_colours()
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    for (int i = 0; i < 16; i++) {
        setfillstyle(0, oldcolor[i]);
        bar(i * 60, 40 + i * 30, i * 60 + 45, 300 + i * 25);
    }
    setcolor(yellow);
    moveto(20, 600);
    outtext("screen image check 0123456789");
    setcolor(lightred);
    moveto(0, 0);
    lineto(Maxx, Maxy);
    setcolor(white);
    flush_display();
}

class FileDialog : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        ASSERT_TRUE(work.enter("zemra-dialog"));
        previous_umask = umask(077);
        value_range = 2;
        setviewport(0, 0, Maxx, WinMaxy, 1);
        clearviewport();
        setviewport(0, 0, Maxx, Maxy, 1);
    }
    void TearDown() override
    {
        if (work.dir.empty())
            return;
        umask(previous_umask);
        EXPECT_TRUE(work.leave());
    }
    static void touch(const char *name)
    {
        std::ofstream out(name);
        out << "x";
    }
    static bool exists(const char *name)
    {
        struct stat st;
        return stat(name, &st) == 0;
    }
    work_dir work;
    mode_t previous_umask = 0;
};

TEST_F(FileDialog, ReturnTakesTheDefaultWithTheValueRange)
{
    value_range = 3;
    type_keys("\r\r");
    EXPECT_EQ(select_filename("SAVE", "SINGLE RULE", "*.rul", "myrul_v%d"), 0);
    EXPECT_STREQ(filename, "myrul_v3.rul");
}

TEST_F(FileDialog, AnswerStartingWithADigitTakesTheDefault)
{
    type_keys("2abc\r\r");
    EXPECT_EQ(select_filename("SAVE", "SINGLE RULE", "*.rul", "myrul_v%d"), 0);
    EXPECT_STREQ(filename, "myrul_v2.rul");
}

TEST_F(FileDialog, TypedNamesGetTheExtensionAndKeepEightCharacters)
{
    type_keys("abc\r\r");
    EXPECT_EQ(select_filename("LOAD", "SINGLE RULE", "*.rul", "myrul_v%d"), 0);
    EXPECT_STREQ(filename, "abc.rul");
    type_keys("abcdefgh\r\r");
    EXPECT_EQ(select_filename("SAVE", "SCREEN", "*.nat", "myimage"), 0);
    EXPECT_STREQ(filename, "abcdefgh.nat");
    EXPECT_EQ(strlen(filename), 12u);
    // A ninth character is refused by the entry.
    type_keys("abcdefghij\r\r");
    EXPECT_EQ(select_filename("SAVE", "SCREEN", "*.nat", "myimage"), 0);
    EXPECT_STREQ(filename, "abcdefgh.nat");
}

TEST_F(FileDialog, QuitAtTheNamePromptBacksOutAndRestoresThePromptArea)
{
    setfillstyle(0, blue);
    bar(Maxx / 2, 2, Maxx - 2, 4 * CHeight);
    auto before = sample(Maxx / 2, 2, Maxx - 2, 3 * CHeight + vgay(6));
    type_keys("q");
    EXPECT_EQ(select_filename("LOAD", "SINGLE RULE", "*.rul", "myrul_v%d"), 'q');
    EXPECT_EQ(sample(Maxx / 2, 2, Maxx - 2, 3 * CHeight + vgay(6)), before);
    EXPECT_EQ(boximage_prompt[0], 0u);
}

// With a running pattern's colour key at the top right, below the prompt
// box's first line, the file dialog's box and a file error's cover the key
// whole or not at all (the draw check reports a box's edge through its
// lines), and the key is as it was after them.
TEST_F(FileDialog, BoxesCoverTheColourKeyWhole)
{
    setup_value_colors(1);
    show_multistate_color_key(1);
    auto before = sample(Maxx / 2, 2, Maxx - 2, 4 * CHeight + vgay(6));
    type_keys("\r\r");
    EXPECT_EQ(select_filename("LOAD", "STAT-SAMPLE", "*.sta", "my_stat"), 0);
    // A reason that takes the error two lines in the windows of both screens.
    paced_thread typist = type_keys_looking(
        "\r", [](size_t) { screenshot("file_error_over_colour_key_" + std::to_string(Maxx)); });
    file_error("my_stat.sta", "No such file or directory in this folder");
    typist.join();
    EXPECT_EQ(sample(Maxx / 2, 2, Maxx - 2, 4 * CHeight + vgay(6)), before);
    show_multistate_color_key(0);
    checked_free(color_v);
    color_v = nullptr;
}

// '>' typed at a name's entry opens a second name dialog over the first (a
// screen's save, as the driver registers it): when both have closed, what
// lay under the first is back, not a picture of the first dialog.
namespace {

void
nested_screen_save()
{
    select_filename("SAVE", "SCREEN", "*.nat", "myimage");
}

} // namespace

TEST_F(FileDialog, DialogOpenedAtAnEntryLeavesNoPromptOfTheFirst)
{
    setfillstyle(0, blue);
    bar(Maxx / 2, 2, Maxx - 2, 4 * CHeight);
    auto before = sample(Maxx / 2, 2, Maxx - 2, 3 * CHeight + vgay(6));
    set_entry_hot_key('>', nested_screen_save);
    type_keys("ab>q\r\r");
    EXPECT_EQ(select_filename("LOAD", "STAT-SAMPLE", "*.sta", "my_stat"), 0);
    set_entry_hot_key('>', nullptr);
    EXPECT_STREQ(filename, "ab.sta");
    EXPECT_EQ(sample(Maxx / 2, 2, Maxx - 2, 3 * CHeight + vgay(6)), before);
}

TEST_F(FileDialog, QuitAtTheConfirmationAsksAgain)
{
    type_keys("abc\rqxyz\r\r");
    EXPECT_EQ(select_filename("SAVE", "SINGLE RULE", "*.rul", "myrul_v%d"), 0);
    EXPECT_STREQ(filename, "xyz.rul");
}

TEST_F(FileDialog, ScreenLoadConfirmationLeavesKeepScreenKey)
{
    type_keys("\rk\r");
    EXPECT_EQ(select_filename("LOAD", "SCREEN", "*.nat", "myimage"), 0);
    EXPECT_EQ(is[0], 'k');
    EXPECT_STREQ(filename, "myimage.nat");
}

TEST_F(FileDialog, NameTypedAtTheListingIsChosen)
{
    touch("b.rul");
    touch("a.rul");
    touch("c.txt");
    type_keys("?\rzz\r\r");
    EXPECT_EQ(select_filename("LOAD", "SINGLE RULE", "*.rul", "myrul_v%d"), 0);
    EXPECT_STREQ(filename, "zz.rul");
    EXPECT_EQ(boximage[2], 0u);
}

TEST_F(FileDialog, EmptyListingSaysSoAndReturnsToTheNamePrompt)
{
    // list again-? answered with Return, "no *.rul files" with Return, then
    // 'q' at the name prompt.
    type_keys("?\r\r\rq");
    EXPECT_EQ(select_filename("LOAD", "SINGLE RULE", "*.rul", "myrul_v%d"), 'q');
}

TEST_F(FileDialog, LongListingPagesOnM)
{
    for (int i = 0; i < 80; i++) {
        char name[32];
        snprintf(name, sizeof name, "f%02d.rul", i);
        touch(name);
    }
    // Every full page asks "see more-m", answered 'm'; the last question is
    // answered with a name. Names start at vgay(40), a line apart, and a
    // page is full when the question's three lines after the next name
    // would reach the box's bottom frame (Maxy - 2).
    int per_page = (Maxy - 3 - 4 * CHeight - vgay(40)) / CHeight + 1;
    int full_pages = (80 - 1) / per_page;
    std::string keys = "?\r";
    for (int i = 0; i < full_pages; i++)
        keys += "m\r";
    type_keys(keys + "picked\r\r");
    EXPECT_EQ(select_filename("LOAD", "SINGLE RULE", "*.rul", "myrul_v%d"), 0);
    EXPECT_STREQ(filename, "picked.rul");
}

TEST_F(FileDialog, FileErrorBoxWaitsForAKeyAndRestores)
{
    setfillstyle(0, green);
    bar(Maxx / 2, 2, Maxx - 2, 2 * CHeight);
    auto before = sample(Maxx / 2, 2, Maxx - 2, CHeight + vgay(6));
    type_keys("\r");
    file_error("nothing.rul");
    EXPECT_EQ(sample(Maxx / 2, 2, Maxx - 2, CHeight + vgay(6)), before);
}

namespace {

void
nested_file_error()
{
    file_error("inner.nat");
}

} // namespace

// A file error met at the entry of another (a screen image that fails to
// load by hot key): each box puts back what it covered, the outer one too.
TEST_F(FileDialog, FileErrorBoxOpenedAtAnotherOnesEntryRestoresBoth)
{
    setfillstyle(0, green);
    bar(Maxx / 2, 2, Maxx - 2, 2 * CHeight);
    auto before = sample(Maxx / 2, 2, Maxx - 2, CHeight + vgay(6));
    set_entry_hot_key('<', nested_file_error);
    type_keys("<\r\r");
    file_error("outer.rul");
    set_entry_hot_key('<', nullptr);
    EXPECT_EQ(sample(Maxx / 2, 2, Maxx - 2, CHeight + vgay(6)), before);
}

// A box of the screen the error came from has a second line where the error
// box's one line ends: the box takes that line whole while it stands (its
// foot went through the line's letters, whose lower half showed under it),
// and gives it back after.
TEST_F(FileDialog, FileErrorBoxHidesWholeTheLineItsFootWouldCut)
{
    const int margin = prompt_box_text(Maxx), second = 5 + CHeight;
    setcolor(white);
    moveto(margin, second);
    outtext("mouse buttons: left=ret right='q'=backtrack");
    flush_display();
    auto white_below_one_line = [&] {
        const int from = prompt_box_bottom(1) + 1, width = Maxx / 4;
        int count = 0;
        for (unsigned long p : pixels_seen(margin, from, width, second + CHeight - from))
            count += p == Color_Table[white];
        return count;
    };
    ASSERT_GT(white_below_one_line(), 20) << "the second line is not where the box's foot falls";
    int shown = -1;
    paced_thread typist = type_keys_looking("\r", [&](size_t) { shown = white_below_one_line(); });
    file_error("a.rul", "gone");
    typist.join();
    EXPECT_EQ(shown, 0) << "the line shows cut under the box";
    EXPECT_GT(white_below_one_line(), 20) << "the line did not come back";
}

// A line of the set-up's questions begun again at the window's top stands
// above the text column's first line, across the dialog box's left edge:
// the dialog hides it whole while it stands (it showed cut at the box's
// edge) and gives it back when it is left.
TEST_F(FileDialog, NameDialogHidesWholeALineAboveTheColumnThatItsEdgeWouldCut)
{
    const int top = text_column_top() - CHeight - 4, left = Maxx / 4;
    ASSERT_GT(top, prompt_box_bottom(1) + 1);
    setcolor(white);
    moveto(left, top);
    outtext("FORWARD ONLY options: analysis-a histograms-h (ALL-def):");
    flush_display();
    auto white_left_of_box = [&] {
        int count = 0;
        for (unsigned long p : pixels_seen(left, top, prompt_box_left(Maxx) - left, CHeight))
            count += p == Color_Table[white];
        return count;
    };
    ASSERT_GT(white_left_of_box(), 20) << "the line does not reach the box's left edge";
    int shown = -1;
    paced_thread typist = type_keys_looking("q", [&](size_t) { shown = white_left_of_box(); });
    EXPECT_EQ(select_filename("LOAD", "SCREEN", "*.nat", "myimage"), 'q');
    typist.join();
    EXPECT_EQ(shown, 0) << "the line shows cut at the box's left edge";
    EXPECT_GT(white_left_of_box(), 20) << "the line did not come back";
}

// The longest refusal of a fixed-layout file with the longest name: the
// box takes it on as many lines as it needs and gives the screen back.
TEST_F(FileDialog, ALongRefusalFitsItsBoxAndTheScreenComesBack)
{
    setfillstyle(0, green);
    bar(Maxx / 3, 2, Maxx - 2, 4 * CHeight);
    auto before = sample(Maxx / 3, 2, Maxx - 2, 4 * CHeight);
    const std::string reason = in_degree_length_fault(20003);
    paced_thread typist = type_keys_looking("\r", [](size_t) { screenshot("long_refusal"); });
    file_error("abcdefgh.prh", reason);
    typist.join();
    EXPECT_EQ(last_file_error(), "file error abcdefgh.prh: " + reason + ", cont-ret:");
    EXPECT_EQ(sample(Maxx / 3, 2, Maxx - 2, 4 * CHeight), before);
}

// Whatever the length of a refusal, the key's cursor after it stays inside
// the box: the box's right edge is whole while the box waits for its key.
TEST_F(FileDialog, TheCursorAfterARefusalNeverCoversTheBoxsEdge)
{
    const int edge = box_right_edge(Maxx), bottom = prompt_box_bottom(1);
    for (size_t length = 20; length <= 90; length++) {
        // Narrow letters, so that one more moves the text's end by less
        // than the cursor is wide.
        std::string reason(length, 'i');
        for (size_t i = 7; i < length; i += 8)
            reason[i] = ' ';
        int covered = 0;
        paced_thread typist = type_keys_looking("\r", [&](size_t) {
            for (unsigned long p : pixels_seen(edge, 2, 1, bottom - 1))
                covered += p != Color_Table[red];
        });
        file_error("a.rul", reason);
        typist.join();
        EXPECT_EQ(covered, 0) << length << " characters";
    }
}

TEST_F(FileDialog, DataFileFailureShowsTheBoxOnce)
{
    snprintf(filename_data, kFileNameSize, "%s", "missing-dir/run.dat");
    // One key only: a second box would wait for ever (and time out).
    type_keys("\r");
    EXPECT_EQ(save_data("line one\n"), -1);
    EXPECT_EQ(save_data("line two\n"), -1);
    snprintf(filename_data, kFileNameSize, "%s", "run.dat");
    EXPECT_EQ(save_data("line three\n"), 0);
}

TEST_F(FileDialog, SavedScreenMatchesAnXwdDumpAndLoadsBack)
{
    paint_old_colours();
    int w = 0, h = 0;
    std::vector<uint32_t> dump = xwd_dump(&w, &h);
    ASSERT_EQ(w, Maxx + 1);
    ASSERT_EQ(h, WinMaxy + 1);
    ASSERT_EQ(dump.size(), static_cast<size_t>(w) * h);

    type_keys("\r\r");
    save_screen();
    ASSERT_TRUE(exists("myimage.nat"));
    struct stat st;
    stat("myimage.nat", &st);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    std::ifstream in("myimage.nat", std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    // The first byte names the window's size: 'h' for 1024 x 768 (the
    // window on a 1280x1024 screen); on another screen 'o', then the width
    // and the height, low byte first.
    ASSERT_GE(file.size(), 5u);
    if (w == 1024 && h == 768) {
        EXPECT_EQ(file[0], 'h');
    } else {
        EXPECT_EQ(file[0], 'o');
        EXPECT_EQ(file[1] | file[2] << 8, w);
        EXPECT_EQ(file[3] | file[4] << 8, h);
    }
    int fw = 0, fh = 0;
    std::vector<nat_run> runs;
    ASSERT_TRUE(decode_screen_image(file.data(), file.size(), &fw, &fh, runs));
    ASSERT_EQ(fw, w);
    ASSERT_EQ(fh, h);
    std::vector<uint8_t> decoded(static_cast<size_t>(w) * h, black);
    for (const nat_run &run : runs)
        for (int i = 0; i < run.length; i++)
            decoded[static_cast<size_t>(run.y + i) * w + run.x] = run.colour;
    size_t differing = 0;
    for (size_t i = 0; i < dump.size(); i++)
        if (decoded[i] != pixel_colour_index(dump[i]))
            differing++;
    EXPECT_EQ(differing, 0u);

    // Onto a cleared window it draws the same picture again.
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    type_keys("\r\r");
    load_screen();
    int lw = 0, lh = 0;
    std::vector<uint32_t> loaded = xwd_dump(&lw, &lh);
    ASSERT_EQ(loaded.size(), dump.size());
    differing = 0;
    for (size_t i = 0; i < dump.size(); i++)
        if (loaded[i] != dump[i])
            differing++;
    EXPECT_EQ(differing, 0u);
}

TEST_F(FileDialog, KeepScreenLaysThePictureOverTheWindow)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    setfillstyle(0, yellow);
    bar(100, 100, 150, 150);
    flush_display();
    type_keys("\r\r");
    save_screen();

    clearviewport();
    setfillstyle(0, blue);
    bar(300, 300, 350, 350);
    ASSERT_EQ(getpixel(320, 320), Color_Table[blue]);
    type_keys("\rk\r");
    load_screen();
    EXPECT_EQ(getpixel(120, 120), Color_Table[yellow]);
    EXPECT_EQ(getpixel(320, 320), Color_Table[blue]);

    type_keys("\r\r");
    load_screen();
    EXPECT_EQ(getpixel(120, 120), Color_Table[yellow]);
    EXPECT_EQ(getpixel(320, 320), Color_Table[black]);
}

TEST_F(FileDialog, DamagedImageGivesTheFileErrorAndDrawsNothing)
{
    {
        std::ofstream out("myimage.nat", std::ios::binary);
        out << "h\x01\x02\x03";
    }
    paint_old_colours();
    auto before = sample(0, 0, Maxx, Maxy);
    paced_thread typist = type_keys_looking("\r\r\r", [](size_t i) {
        if (i == 2)
            screenshot("nat_refused");
    });
    load_screen();
    typist.join();
    EXPECT_EQ(is[0], 'q');
    // The band's length 0x0102 against the 1 byte after it, with its own 2.
    EXPECT_EQ(last_file_error(), "file error myimage.nat: band 1 says 258 bytes, file holds 3, cont-ret:");
    EXPECT_EQ(sample(0, 0, Maxx, Maxy), before);
}

TEST_F(FileDialog, BusyPictureIsNotSavedAndLeavesNoFile)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    srandom(3);
    const uint8_t colours[3] = {black, yellow, red};
    for (int y = 0; y < 110; y++)
        for (int x = 0; x <= Maxx; x++)
            putpixel(x, y, colours[random() % 3]);
    setviewport(0, 0, Maxx, Maxy, 1);
    // Name, confirmation, then the message box.
    type_keys("\r\r\r");
    save_screen();
    EXPECT_EQ(is[0], 'q');
    EXPECT_FALSE(exists("myimage.nat"));
}

TEST_F(FileDialog, UnwritableNameGivesTheFileError)
{
    mkdir("myimage.nat", 0755);
    type_keys("\r\r\r");
    testing::internal::CaptureStderr();
    save_screen();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(is[0], 'q');
    EXPECT_NE(said.find("fid=-1 this_filename=myimage.nat write=1"), std::string::npos);
}

}  // namespace
