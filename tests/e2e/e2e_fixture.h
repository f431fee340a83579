// Fixture of the end-to-end tests: one real zemra per test, a screenshot of
// the virtual screen when a test fails.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>

#include "support/draw_check_allow.h"
#include "support/work_dir.h"
#include "support/zemra_process.h"

// Every test here starts the program ZEMRA_BINARY names (ctest sets it): a
// run without it fails at once, before any test waits on a program that
// never started.
class ZemraBinaryEnvironment : public ::testing::Environment {
public:
    void
    SetUp() override
    {
        const char *binary = std::getenv("ZEMRA_BINARY");
        ASSERT_TRUE(binary && access(binary, X_OK) == 0)
            << "ZEMRA_BINARY must name the zemra program to test (ctest sets it)";
    }
};

inline ::testing::Environment *const zemra_binary_environment =
    ::testing::AddGlobalTestEnvironment(new ZemraBinaryEnvironment);

class ZemraTest : public ::testing::Test {
protected:
    // Starts zemra with args (through program, a command that execs it,
    // when one is given) and waits for its first screen.
    void launch(std::vector<std::string> args = {}, const std::string &program = "")
    {
        zemra = std::make_unique<ZemraProcess>(std::move(args));
        zemra->program = program;
        ASSERT_TRUE(zemra->start()) << "zemra could not be started (ZEMRA_BINARY?)";
        ASSERT_TRUE(zemra->wait_for_first_screen())
            << "no first screen"
            << (zemra->pid() <= 0 ? "; the program ended with status " + std::to_string(zemra->exit_status())
                                  : std::string())
            << "; its standard error: " << zemra->stderr_text();
    }

    // Types the answers, each key once the program waits for input.
    void answer(std::initializer_list<std::string> answers)
    {
        for (const std::string &a : answers)
            zemra->type(a);
    }

    // From the first screen to a running space-time pattern of the default
    // 14-cell ring, with the random seed fixed at 123 so that the rule and
    // the seed are the same each time. The pattern scrolls once the page is
    // full, or with paging starts a new page at the top.
    void road_to_forward_pattern(bool paging = false)
    {
        answer({"r\r", "123\r",   // the fixed random seed
                "s\r",            // single basin, subtree or forward only
                "\r", "\r",       // value range 2, no size range
                "\r", "\r",       // scale, size 14
                "\r", "\r",       // k = 3, regular 1d
                "\r", "\r",       // rule tables, a single rule
                "\r", "\r",       // a random rule, accepted
                "\r",             // no transformation
                "\r",             // network view: on to the runs
                "\r", "\r", "\r", // a random seed: the default method, accepted, density
                "s\r",            // output settings: space-time pattern only
                "d\r"});          // layout: accept the defaults of every settings menu
        if (paging)  // forward-only options up to "sweep space-time pattern-s", no side plot
            answer({"\r", "\r", "\r", "\r", "\r", "s\r", "\r", "\r", "n\r", "d\r"});
        else
            answer({"d\r"});      // forward-only options: the defaults
    }

    // From the first screen to the rules stage's end of a basin field on
    // the default 10-cell ring, k = 3, with the rule typed in decimal (no
    // transformation): the next answer is the network view's.
    void road_to_field_rule(const std::string &rule)
    {
        answer({"\r",         // basin field
                "\r", "\r",   // value range 2, no size range
                "\r", "\r",   // size 10, scale
                "\r", "\r",   // k = 3, regular 1d
                "\r",         // rule tables
                "\r",         // a single rule
                "d\r", rule + "\r",
                "\r"});       // no transformation
    }

    // On from road_to_field_rule to the output parameters' question of the
    // sweep graphs ("G-density graph: Zpara-1, ..."), every question before
    // it answered with its default.
    void road_to_sweep_graphs(const std::string &rule)
    {
        road_to_field_rule(rule);
        answer({"\r",   // network view: on to the output parameters
                "\r",   // revise from the start
                "\r",   // no state-space matrix
                "\r"}); // no in-degree histogram
    }

    // Waits for the running space-time pattern's first cells at the top left
    // (the pixel at (40, 3) or (10, 3) other than the background); false
    // when none came.
    bool wait_for_pattern()
    {
        unsigned long background = zemra->pixel(500, 500);
        return wait_until([&] {
            return zemra->pixel(40, 3) != background || zemra->pixel(10, 3) != background;
        });
    }

    // vga coordinates of the window, as the program scales them.
    int vx(float x) { return static_cast<int>(x * zemra->width() / 640.0f); }
    int vy(float y) { return static_cast<int>(y * zemra->height() / 480.0f); }
    // With ZEMRA_SCREENSHOTS naming a folder, the screen saved there as
    // name.png.
    void shot(const std::string &name)
    {
        if (const char *dir = getenv("ZEMRA_SCREENSHOTS"))
            zemra->screenshot(std::string(dir) + "/" + name + ".png");
    }

    void TearDown() override
    {
        // A test that fails only on the draw check's reports fails after
        // this, when the program is gone: its screen is taken now.
        if (zemra && zemra->display &&
            (HasFailure() ||
             !unallowed_draw_reports(draw_reports_in(zemra->stderr_text())).empty())) {
            const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
            std::string path = std::string("/tmp/zemra-") + info->test_suite_name() + "-" +
                               info->name() + ".png";
            zemra->screenshot(path);
            fprintf(stderr, "screenshot: %s\nstandard error of zemra:\n%s\n", path.c_str(),
                    zemra->stderr_text().c_str());
        }
        zemra.reset();
    }

    std::unique_ptr<ZemraProcess> zemra;
};

// A ZemraTest run in a fresh working directory of its own, named from
// prefix, so that the files the program writes never mix with another
// test's; the directory goes with what is left in it.
class ZemraWorkTest : public ZemraTest {
protected:
    explicit ZemraWorkTest(std::string prefix) : prefix_(std::move(prefix)) {}
    void SetUp() override { ASSERT_TRUE(work.enter(prefix_)); }
    void TearDown() override
    {
        ZemraTest::TearDown();
        ASSERT_TRUE(work.leave());
    }

    work_dir work;

private:
    std::string prefix_;
};
