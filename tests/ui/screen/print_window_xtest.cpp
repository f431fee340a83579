// Printing the window on the real window of this process, with stand-in
// printing tools first on PATH: the exact command lines for each answer,
// the dump removed and the PostScript file kept, cancelling, the converter
// taken from XWDTOPNM_PATH or else from PATH, and the box that ends a print
// that failed: the cause named (a tool missing or failing, XWDTOPNM_PATH
// naming nothing to run, too long), what to set or where the PostScript
// was left, and "cont-ret:" with the entry's block inside the frame; and
// the prompt area put back.
#include "support/x_test_fixture.h"

#include <algorithm>
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
    // Prints with `answer` typed ("p" without frame, "pn" without
    // greyscale) and checks the box that ends the print
    // against `lines` drawn here in a box at its place, at both window
    // sizes: the same pixels, and the text with the one-key entry's block
    // after it inside the frame. The shell's own words stay on standard
    // error, which is given back.
    std::string expect_end_box(const std::string &answer, const std::vector<std::string> &lines)
    {
        std::string err;
        const int width = Maxx + 1, height = WinMaxy + 1;
        for (auto [w, h] : prompt_window_sizes()) {
            EXPECT_TRUE(resize_to(w, h));
            SCOPED_TRACE(std::to_string(Maxx + 1) + "x" + std::to_string(WinMaxy + 1));
            // The box's text lines, from inside its left frame to where the
            // longest ends (the entry's blinking block stands after it).
            const int x0 = prompt_box_left(Maxx) + 1, y0 = 3,
                      rows = static_cast<int>(lines.size()) * CHeight + 1,
                      span = box_right_edge(Maxx) - x0;
            std::vector<unsigned long> shown;
            testing::internal::CaptureStderr();
            const std::string keys = answer + "\r\r";
            paced_thread typing = type_keys_looking(keys, [&](size_t i) {
                if (i == keys.size() - 1)
                    shown = pixels_seen(x0, y0, span, rows);
            });
            printimage();
            typing.join();
            err += testing::internal::GetCapturedStderr();

            int margin = draw_prompt_box_at(prompt_box_left(Maxx), 2, 2);
            // Where each line ends: the block that blinks after the last
            // one is no part of the comparison.
            std::vector<int> ends;
            for (size_t i = 0; i < lines.size(); i++) {
                if (i > 0)
                    moveto(margin, gety + CHeight);
                outtext(lines[i].c_str());
                ends.push_back(getx);
            }
            EXPECT_LE(*std::max_element(ends.begin(), ends.end()) + CWidth, box_right_edge(Maxx) - 3);
            XSync(D, False);
            std::vector<unsigned long> wanted = pixels_seen(x0, y0, span, rows);
            EXPECT_EQ(shown.size(), wanted.size());
            size_t differ = 0;
            for (int y = 0; y < rows && shown.size() == wanted.size(); y++)
                for (int x = 0; x < ends[std::min<size_t>(y / CHeight, ends.size() - 1)] - x0; x++) {
                    size_t at = static_cast<size_t>(y) * span + x;
                    differ += shown[at] != wanted[at];
                }
            EXPECT_EQ(differ, 0u) << "the box did not show " << lines[0];
            clear_drawing_area();
        }
        EXPECT_TRUE(resize_to(width, height));
        return err;
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

// Without XWDTOPNM_PATH, or with it empty, the xwdtopnm found on PATH
// converts the dump.
TEST_F(PrintWindow, UnsetConverterPathTakesXwdtopnmFromThePath)
{
    for (bool empty : {false, true}) {
        if (empty)
            setenv("XWDTOPNM_PATH", "", 1);
        else
            unsetenv("XWDTOPNM_PATH");
        type_keys("p\r\r");
        printimage();
        EXPECT_EQ(stubs.file("printed.ps"), "pnm-ps\nwindow dump\n");
    }
    EXPECT_EQ(stubs.log(), "xwd \nxwdtopnm temp_window_file.im\npnmtops \nlpr temp_window_file.ps\n"
                               "xwd \nxwdtopnm temp_window_file.im\npnmtops \nlpr temp_window_file.ps\n");
}

const char kSetConverter[] = " set XWDTOPNM_PATH or PATH, cont-ret:";

// With no xwdtopnm on PATH either, nothing goes to the spooler and the box
// says what to set.
TEST_F(PrintWindow, NoConverterAnywhereSendsNothingToTheSpooler)
{
    unsetenv("XWDTOPNM_PATH");
    stubs.leave_out("xwdtopnm");
    std::string err = expect_end_box("p", {" could not print -- xwdtopnm not found", kSetConverter});
    EXPECT_NE(err.find("To print in greyscale put xwdtopnm on the PATH or set the environment "
                       "variable XWDTOPNM_PATH to its full path\n"),
              std::string::npos)
        << err;
    EXPECT_EQ(stubs.log(), "xwd \nxwd \n");
    EXPECT_FALSE(stubs.has("printed.ps"));
    EXPECT_FALSE(stubs.has("temp_window_file.im"));
}

// A set XWDTOPNM_PATH is taken even with xwdtopnm on PATH: naming no
// program, it is said so.
TEST_F(PrintWindow, ConverterPathNamingNoProgramIsSaidSo)
{
    setenv("XWDTOPNM_PATH", (stubs.dir() + "/no-such-xwdtopnm").c_str(), 1);
    expect_end_box("p", {" could not print -- XWDTOPNM_PATH: no program", kSetConverter});
    EXPECT_EQ(stubs.log(), "xwd \nxwd \n");
}

TEST_F(PrintWindow, OverLongConverterPathIsRefused)
{
    setenv("XWDTOPNM_PATH", ("/" + std::string(300, 'x')).c_str(), 1);
    std::string err = expect_end_box("p", {" could not print -- XWDTOPNM_PATH too long", kSetConverter});
    EXPECT_EQ(err, "XWDTOPNM_PATH is too long\nXWDTOPNM_PATH is too long\n");
    EXPECT_EQ(stubs.log(), "xwd \nxwd \n");
}

TEST_F(PrintWindow, FailingDumpStopsBeforeConverting)
{
    stubs.fail("xwd", 1);
    auto before = prompt_area();
    type_keys("p\r\r");
    printimage();
    EXPECT_EQ(stubs.log(), "xwd \n");
    EXPECT_EQ(prompt_area(), before);
    expect_end_box("p", {" could not print -- xwd failed", " cont-ret:"});
}

// Each tool missing or failing is named in the box, which ends with
// "cont-ret:"; when the PostScript was made, the box says where it is.
TEST_F(PrintWindow, EachFailureIsNamedInTheBox)
{
    const std::string left = " the PostScript is left in temp_window_file.ps, cont-ret:";
    stubs.fail("pnmtops", 1);
    expect_end_box("p", {" could not print -- the conversion failed", " cont-ret:"});
    stubs.fail("pnmtops", 0);
    stubs.fail("lpr", 1);
    expect_end_box("p", {" could not print -- lpr failed", left});
    stubs.fail("xpr", 1);
    expect_end_box("pn", {" could not print -- xpr failed", " cont-ret:"});
    stubs.leave_out("xpr");
    std::string err = expect_end_box("pn", {" could not print -- xpr not found", " cont-ret:"});
    EXPECT_NE(err.find("xpr: not found"), std::string::npos) << err;
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
// where the PostScript is; the shell's own words stay on standard error.
TEST_F(PrintWindow, MissingSpoolerIsNamedInTheBoxWithThePostScriptLeft)
{
    stubs.leave_out("lpr");
    std::string err = expect_end_box("p", {" could not print -- lpr not found",
                                      " the PostScript is left in temp_window_file.ps, cont-ret:"});
    EXPECT_NE(err.find("lpr: not found"), std::string::npos) << err;
    EXPECT_EQ(stubs.log().find("lpr"), std::string::npos) << stubs.log();
    EXPECT_EQ(stubs.file("temp_window_file.ps"), "pnm-ps\nwindow dump\n");
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
