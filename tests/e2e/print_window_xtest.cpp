// Printing from the running program: '@' typed at the first prompt prints
// the window through the stand-in tools on PATH, shows " done - press any
// key to continue:" on one line (or " could not print -- " and the cause,
// with a second line, when a tool fails), and puts the screen back.
#include "e2e/e2e_fixture.h"

#include <X11/Xutil.h>

#include "ui/screen/print_stubs.h"

namespace {

// The rightmost column left of the frame where the prompt line starting at
// row `top` (the first by default) has anything but the background: how far
// the message reaches, 0 for a blank line.
int
message_reach(ZemraProcess &zemra, int top = 5)
{
    int w = zemra.width(), row_height = 18;
    int x0 = w / 2 + 1, x1 = w - 5;
    XImage *image = XGetImage(zemra.display, zemra.window, x0, top, x1 - x0, row_height,
                              AllPlanes, ZPixmap);
    if (!image)
        return -1;
    unsigned long background = XGetPixel(image, x1 - x0 - 1, row_height - 1);
    int reach = 0;
    for (int y = 0; y < row_height; y++)
        for (int x = 0; x < x1 - x0; x++)
            if (XGetPixel(image, x, y) != background && x > reach)
                reach = x;
    XDestroyImage(image);
    return reach;
}

TEST_F(ZemraTest, AtSignPrintsTheWindowThroughTheTools)
{
    PrintStubs stubs;
    ASSERT_TRUE(stubs.install());
    launch();
    int w = zemra->width();
    auto prompt = [&] { return zemra->region_digest(w / 2, 0, w / 2, 60); };
    unsigned long long before = prompt();

    zemra->type("@");
    ASSERT_TRUE(wait_until([&] { return prompt() != before; })) << "no print prompt";
    zemra->type("p\r");
    ASSERT_TRUE(wait_until([&] { return stubs.log().find("lpr") != std::string::npos; }))
        << stubs.log();
    EXPECT_EQ(stubs.log(), "xwd \nxwdtopnm temp_window_file.im\npnmtops \n"
                           "lpr temp_window_file.ps\n");
    // When lpr runs the prompt area is back as it was; then the message box.
    ASSERT_TRUE(wait_until([&] { return prompt() != before; })) << "no message";
    // The second line's letters, below the first line's descenders.
    const int second_line_body = 25;
    EXPECT_GT(message_reach(*zemra), 0);
    EXPECT_EQ(message_reach(*zemra, second_line_body), 0);
    zemra->type("\r");
    EXPECT_TRUE(wait_until([&] { return prompt() == before; }))
        << "the prompt area was not put back";

    // The same with a spooler that fails: a second line says where the
    // PostScript is.
    stubs.fail("lpr", 1);
    zemra->type("@");
    ASSERT_TRUE(wait_until([&] { return prompt() != before; }));
    zemra->type("p\r");
    ASSERT_TRUE(wait_until(
        [&] {
            std::string log = stubs.log();
            return log.find("lpr") != log.rfind("lpr");
        }));
    ASSERT_TRUE(wait_until([&] { return prompt() != before; })) << "no message";
    EXPECT_TRUE(wait_until([&] { return message_reach(*zemra, second_line_body) > 0; }))
        << "no second line";
    zemra->type("\r");
    EXPECT_TRUE(wait_until([&] { return prompt() == before; }));

    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

// Without XWDTOPNM_PATH and without xwdtopnm on PATH a two-line box says
// what to set, over the second line of the first prompt, and the dump is
// not left behind.
TEST_F(ZemraTest, MissingConverterIsExplainedInABox)
{
    PrintStubs stubs;
    ASSERT_TRUE(stubs.install());
    unsetenv("XWDTOPNM_PATH");
    stubs.leave_out("xwdtopnm");
    launch();
    int w = zemra->width(), row = 18;
    const int second_text_line = 21; // where a box's second line of text starts
    // Below a one-line box, above the end of the second line of text.
    auto second_line = [&] { return zemra->region_digest(w / 2 + 5, row + 16, w / 2 - 10, 20); };
    unsigned long long before = second_line();
    zemra->type("@p");
    ASSERT_TRUE(wait_until([&] { return second_line() != before; })) << "no print prompt";
    unsigned long long asking = second_line();
    zemra->type("\r");
    // The " wait" box shown while converting has a blank second line; the
    // message box that follows the dump's removal writes on it.
    EXPECT_TRUE(wait_until([&] {
        return second_line() != before && second_line() != asking &&
               message_reach(*zemra, second_text_line) > 0;
    })) << "no second line";
    EXPECT_FALSE(stubs.has("temp_window_file.im"));
    zemra->type("\rqq");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

}  // namespace
