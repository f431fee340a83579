// The program from its command line to its clean exit: the window, the first
// screen, the exit boxes, the background choice and a missing X server.
#include "e2e/e2e_fixture.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "ui/screen/draw_check_lines.h"

namespace {

const char kCleanExit[] = "\n Using backing store\n\nZemra clean exit\n";

TEST_F(ZemraTest, QuitAtFirstPromptThenConfirmExitsCleanly)
{
    launch();
    zemra->type("q");
    zemra->type("q");
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(without_draw_check_lines(zemra->stderr_text()), kCleanExit);
    // The draw check, on in every test, counts at the end what it saw, and
    // follows all of so short a session.
    const std::string count_line =
        std::string("\n") + kDrawCheckPrefix + "[1-9][0-9]*" + kDrawCheckCountMark + "0 reported, 0 not followed\n";
    EXPECT_TRUE(std::regex_search(zemra->stderr_text(), std::regex(count_line)))
        << zemra->stderr_text();
}

TEST_F(ZemraTest, ControlQOpensTheExitBoxFromTheFirstPrompt)
{
    launch();
    zemra->control_q();
    zemra->type("q");
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(without_draw_check_lines(zemra->stderr_text()), kCleanExit);
}

TEST_F(ZemraTest, DecliningTheExitBoxRestoresTheScreen)
{
    launch();
    // A point on the exit box's blue ring (the inside is background black).
    int cx = zemra->width() / 2, cy = 350;
    unsigned long before = zemra->pixel(cx, cy);
    zemra->type("q");
    ASSERT_TRUE(wait_until([&] { return zemra->pixel(cx, cy) != before; }))
        << "the exit box did not appear";
    zemra->type("\r");
    EXPECT_TRUE(wait_until([&] { return zemra->pixel(cx, cy) == before; }))
        << "the exit box was not taken down";
    zemra->type("q");
    zemra->type("q");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

TEST_F(ZemraTest, DefaultWindowOnALargeDisplayIs1024By768)
{
    launch();
    EXPECT_EQ(zemra->width(), 1024);
    EXPECT_EQ(zemra->height(), 768);
    Window child;
    int x = -1, y = -1;
    XTranslateCoordinates(zemra->display, zemra->window, DefaultRootWindow(zemra->display),
                          0, 0, &x, &y, &child);
    EXPECT_EQ(x, 1);  // at (0, 0) with a border of one pixel
    EXPECT_EQ(y, 1);
}

TEST_F(ZemraTest, WhiteBackgroundOption)
{
    launch({"-w"});
    unsigned long white = WhitePixel(zemra->display, DefaultScreen(zemra->display));
    EXPECT_EQ(zemra->pixel(300, 400), white);
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

TEST_F(ZemraTest, BlackBackgroundByDefaultAndLaterArgumentWins)
{
    launch({"-w", "-b"});
    unsigned long black = BlackPixel(zemra->display, DefaultScreen(zemra->display));
    EXPECT_EQ(zemra->pixel(300, 400), black);
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

// The message names the display tried, or says that DISPLAY is not set,
// and what to set.
TEST_F(ZemraTest, NoXServerGivesMessageAndStatus255)
{
    const std::string hint =
        "Set the DISPLAY variable to the display of a running X server, for example DISPLAY=:0\n";
    ZemraProcess lonely({}, ":4242");
    ASSERT_TRUE(lonely.start());
    EXPECT_EQ(lonely.wait_exit(), 255);
    EXPECT_EQ(lonely.stderr_text(),
              "Zemra: cannot connect to X server :4242, the display named by DISPLAY\n" + hint);
    ZemraProcess unset;
    unset.without_display = true;
    ASSERT_TRUE(unset.start());
    EXPECT_EQ(unset.wait_exit(), 255);
    EXPECT_EQ(unset.stderr_text(), "Zemra: cannot connect to an X server: DISPLAY is not set\n" + hint);
}

// -h and --help list the options on standard output and end at once, with
// no display to open, whatever other options come with them.
TEST_F(ZemraTest, HelpListsTheOptionsWithoutADisplay)
{
    for (const char *help : {"-h", "--help"}) {
        ZemraProcess asking({"-w", help});
        asking.without_display = true;
        ASSERT_TRUE(asking.start());
        EXPECT_EQ(asking.wait_exit(), 0) << help;
        const std::string text = asking.stdout_text();
        EXPECT_EQ(text.rfind("Usage: zemra [-w | -b] [-t]\n", 0), 0u) << text;
        for (const char *option : {"\n  -w ", "\n  -b ", "\n  -t ", "\n  -h, --help "})
            EXPECT_NE(text.find(option), std::string::npos) << option << " missing from\n" << text;
        EXPECT_EQ(asking.stderr_text(), "") << help;
    }
}

TEST_F(ZemraTest, ResizeRedrawsTheTitleStripAtTheNewBottom)
{
    launch();
    unsigned long background = zemra->pixel(300, 400);
    XResizeWindow(zemra->display, zemra->window, 800, 600);
    XSync(zemra->display, False);
    // The strip's frame runs along the window's last row.
    EXPECT_TRUE(wait_until([&] { return zemra->pixel(400, 599) != background; }))
        << "the title strip was not redrawn at the new size";
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

TEST_F(ZemraTest, RandomSeedDialogSetsTheSeedShownInThePrompt)
{
    launch();
    int w = zemra->width();
    // The prompt box's first line shows the seed; its second line is blank
    // while the one-line seed dialog is up.
    auto prompt = [&] { return zemra->region_digest(w / 2, 2, w / 2 - 2, 40); };
    auto second_line = [&] { return zemra->region_digest(w / 2 + 3, 24, w / 2 - 10, 16); };
    const unsigned long long first_prompt_line = second_line();
    // A refused answer is said so on the dialog's line, which waits for
    // Return before the first screen comes back.
    auto set_seed = [&](const std::string &answer, bool refused = false) {
        zemra->type("r\r");
        ASSERT_TRUE(wait_until([&] { return second_line() != first_prompt_line; }));
        zemra->type(answer + "\r");
        if (refused) {
            ASSERT_TRUE(zemra->wait_ready_for_key());
            EXPECT_NE(second_line(), first_prompt_line);
            zemra->type("\r");
        }
        ASSERT_TRUE(wait_until([&] { return second_line() == first_prompt_line; }));
    };
    set_seed("123");
    unsigned long long seed_123 = prompt();
    set_seed("124");
    unsigned long long seed_124 = prompt();
    EXPECT_NE(seed_123, seed_124);
    set_seed("123");
    EXPECT_EQ(prompt(), seed_123);
    for (const char *refused : {"32768", "-1", "abc"}) {  // outside 0-32767: the seed stays 123
        set_seed(refused, true);
        EXPECT_EQ(prompt(), seed_123) << refused;
    }
    set_seed("32767");
    EXPECT_NE(prompt(), seed_123);
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
    EXPECT_EQ(without_draw_check_lines(zemra->stderr_text()), kCleanExit);
}

// CPU time (user + system) of a process so far, in seconds.
double
cpu_seconds(int pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // Fields after the command name, which ends at the last ')'.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; i++) {
        if (i == 14)
            utime = std::stol(field);
        if (i == 15)
            stime = std::stol(field);
    }
    return static_cast<double>(utime + stime) / sysconf(_SC_CLK_TCK);
}

TEST_F(ZemraTest, WaitingForAKeyTakesNoProcessorTime)
{
    launch();
    // Measured from the first key wait on, when the first screen is drawn.
    ASSERT_TRUE(zemra->wait_ready_for_key());
    double before = cpu_seconds(zemra->pid());
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    double used = cpu_seconds(zemra->pid()) - before;
    EXPECT_LT(used, 0.1) << "the key wait spins";
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

// Runs on a 1024x768 virtual screen (see tests/CMakeLists.txt).
TEST_F(ZemraTest, SmallScreenGivesA925By694Window)
{
    launch();
    EXPECT_EQ(zemra->width(), 925);
    EXPECT_EQ(zemra->height(), 694);
    zemra->type("qq");
    EXPECT_EQ(zemra->wait_exit(), 0);
}

} // namespace
