// Printing the window on the real window of this process, with stand-in
// printing tools first on PATH: the exact command lines for each answer,
// the dump removed and the PostScript file kept, cancelling, a missing or over-long
// XWDTOPNM_PATH, failing tools, a spooler missing named in the box with the
// PostScript file it left, and the prompt area put back.
#include "support/x_test_fixture.h"

#include <string>
#include <vector>

#include "print_stubs.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/print_window.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

class PrintWindow : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        if (IsSkipped() || HasFailure())
            return;
        ASSERT_TRUE(stubs.install());
        setviewport(0, 0, Maxx, Maxy, 1);
        // Something under the prompt area, to see it put back.
        setfillstyle(0, blue);
        bar(Maxx / 2, 0, Maxx, 3 * CHeight + vgay(6));
        setfillstyle(0, yellow);
        bar(Maxx / 2 + 40, 4, Maxx / 2 + 90, 2 * CHeight);
    }
    static std::vector<unsigned long> prompt_area()
    {
        std::vector<unsigned long> pixels;
        for (int y = 2; y <= 2 + 2 * CHeight + vgay(6); y += 3)
            for (int x = Maxx / 2; x < Maxx; x += 7)
                pixels.push_back(getpixel(x, y));
        return pixels;
    }
    PrintStubs stubs;
};

TEST_F(PrintWindow, WithoutFrameInGreyscaleThroughTheConverter)
{
    auto before = prompt_area();
    moveto(123, 456);
    type_keys("p\r\r");
    printimage();
    EXPECT_EQ(stubs.log(), "xwd \n"
                           "xwdtopnm temp_window_file.im\n"
                           "pnmtops \n"
                           "lpr temp_window_file.ps\n");
    EXPECT_FALSE(stubs.has("temp_window_file.im"));
    EXPECT_EQ(stubs.file("temp_window_file.ps"), "pnm-ps\nwindow dump\n");
    EXPECT_EQ(stubs.file("printed.ps"), "pnm-ps\nwindow dump\n");
    EXPECT_EQ(getx, 123);
    EXPECT_EQ(gety, 456);
    EXPECT_EQ(prompt_area(), before);
}

TEST_F(PrintWindow, NoGreyscaleGoesThroughXpr)
{
    type_keys("pn\r\r");
    printimage();
    EXPECT_EQ(stubs.log(), "xwd \n"
                           "xpr -device ps -compact -cutoff 99 temp_window_file.im\n"
                           "lpr temp_window_file.ps\n");
    EXPECT_EQ(stubs.file("temp_window_file.ps"), "xpr-ps\nwindow dump\n");
}

TEST_F(PrintWindow, CapitalPDumpsWithTheFrame)
{
    type_keys("P\r\r");
    printimage();
    EXPECT_EQ(stubs.log(), "xwd -frame\n"
                           "xwdtopnm temp_window_file.im\n"
                           "pnmtops \n"
                           "lpr temp_window_file.ps\n");
}

TEST_F(PrintWindow, QuitRunsNothingAndLeavesZero)
{
    auto before = prompt_area();
    type_keys("q");
    printimage();
    EXPECT_EQ(is[0], 0);
    EXPECT_EQ(stubs.log(), "");
    EXPECT_FALSE(stubs.has("temp_window_file.im"));
    EXPECT_EQ(prompt_area(), before);
    // Any other first character cancels too.
    type_keys("x\r");
    printimage();
    EXPECT_EQ(is[0], 0);
    EXPECT_EQ(stubs.log(), "");
}

TEST_F(PrintWindow, MissingConverterPathSendsNothingToTheSpooler)
{
    unsetenv("XWDTOPNM_PATH");
    type_keys("p\r\r");
    testing::internal::CaptureStderr();
    printimage();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "You need to set the environment variable XWDTOPNM_PATH to the full path of "
              "your xwdtopnm to print in greyscale\n");
    EXPECT_EQ(stubs.log(), "xwd \n");
    EXPECT_FALSE(stubs.has("printed.ps"));
    EXPECT_FALSE(stubs.has("temp_window_file.im"));
}

TEST_F(PrintWindow, ConverterPathNamingNoProgramIsMissing)
{
    setenv("XWDTOPNM_PATH", (stubs.dir() + "/no-such-xwdtopnm").c_str(), 1);
    type_keys("p\r\r");
    printimage();
    EXPECT_EQ(stubs.log(), "xwd \n");
}

TEST_F(PrintWindow, OverLongConverterPathIsRefused)
{
    setenv("XWDTOPNM_PATH", ("/" + std::string(300, 'x')).c_str(), 1);
    type_keys("p\r\r");
    testing::internal::CaptureStderr();
    printimage();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "XWDTOPNM_PATH is too long\n");
    EXPECT_EQ(stubs.log(), "xwd \n");
}

TEST_F(PrintWindow, FailingDumpStopsBeforeConverting)
{
    stubs.fail("xwd", 1);
    auto before = prompt_area();
    type_keys("p\r\r");
    printimage();
    EXPECT_EQ(stubs.log(), "xwd \n");
    EXPECT_EQ(prompt_area(), before);
}

TEST_F(PrintWindow, FailingSpoolerStillPutsTheScreenBack)
{
    stubs.fail("lpr", 2);
    auto before = prompt_area();
    type_keys("p\r\r");
    printimage();
    EXPECT_EQ(stubs.log(), "xwd \nxwdtopnm temp_window_file.im\npnmtops \nlpr temp_window_file.ps\n");
    EXPECT_EQ(prompt_area(), before);
}

// With no lpr anywhere on PATH the box says which program was not found and
// where the PostScript is, inside the box at both window sizes; the shell's
// own words stay on standard error.
TEST_F(PrintWindow, MissingSpoolerIsNamedInTheBoxWithThePostScriptLeft)
{
    stubs.leave_out("lpr");
    const char *lines[] = {" could not print -- lpr not found",
                           " the PostScript is left in temp_window_file.ps, cont-ret:"};
    const int width = Maxx + 1, height = WinMaxy + 1;
    for (auto [w, h] : prompt_window_sizes()) {
        ASSERT_TRUE(resize_to(w, h));
        SCOPED_TRACE(std::to_string(Maxx + 1) + "x" + std::to_string(WinMaxy + 1));
        // The box's two text lines, from inside its left frame to where the
        // longer ends (the entry's blinking block stands after it).
        const int x0 = prompt_box_left(Maxx) + 1, y0 = 3, rows = 2 * CHeight + 1,
                  span = box_right_edge(Maxx) - x0;
        std::vector<unsigned long> shown;
        testing::internal::CaptureStderr();
        paced_thread typing = type_keys_looking("p\r\r", [&](size_t i) {
            if (i == 2)
                shown = pixels_seen(x0, y0, span, rows);
        });
        printimage();
        typing.join();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("lpr: not found"), std::string::npos) << err;
        EXPECT_EQ(stubs.log().find("lpr"), std::string::npos) << stubs.log();
        EXPECT_EQ(stubs.file("temp_window_file.ps"), "pnm-ps\nwindow dump\n");

        // The same lines drawn here in a box at its place: the pixels match.
        int margin = draw_prompt_box_at(prompt_box_left(Maxx), 2, 2);
        outtext(lines[0]);
        moveto(margin, gety + CHeight);
        outtext(lines[1]);
        const int end = getx;
        // The text and the one-key entry's block after it end inside the frame.
        EXPECT_LE(end + CWidth, box_right_edge(Maxx) - 3);
        XSync(D, False);
        std::vector<unsigned long> wanted = pixels_seen(x0, y0, span, rows);
        ASSERT_EQ(shown.size(), wanted.size());
        size_t differ = 0;
        for (int y = 0; y < rows; y++)
            for (int x = 0; x < end - x0; x++) {
                size_t at = static_cast<size_t>(y) * span + x;
                differ += shown[at] != wanted[at];
            }
        EXPECT_EQ(differ, 0u) << "the box did not show the missing lpr and the file";
        clear_drawing_area();
    }
    ASSERT_TRUE(resize_to(width, height));
}

TEST_F(PrintWindow, SecondPrintOverwritesThePostScriptFile)
{
    type_keys("p\r\r");
    printimage();
    setenv("XWD_TEXT", "second dump", 1);
    type_keys("p\r\r");
    printimage();
    EXPECT_FALSE(stubs.has("temp_window_file.im"));
    EXPECT_EQ(stubs.file("temp_window_file.ps"), "pnm-ps\nsecond dump\n");
}

}  // namespace
