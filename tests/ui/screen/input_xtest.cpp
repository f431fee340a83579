// Text entry as a user types it: keys and buttons go through the X server.
#include "support/x_test_fixture.h"

#include <X11/keysym.h>
#include <cstring>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

TEST_F(ScreenTest, TypedDigitsAreEchoedAndEndWithReturn)
{
    moveto(100, 200);
    type_keys("12\r");
    EXPECT_EQ(input_string(5, numeric_entry), 2);
    EXPECT_EQ(entry_text(), "12");
    EXPECT_EQ(getx, 100 + text_pixel_width("12", 2));
}

TEST_F(ScreenTest, QErasesWhatWasTyped)
{
    moveto(100, 240);
    type_keys("1q2\r");
    EXPECT_EQ(input_string(5, numeric_entry), 1);
    EXPECT_EQ(entry_text(), "2");
}

TEST_F(ScreenTest, ShiftedCharactersArriveShifted)
{
    moveto(100, 280);
    type_keys("A?^+\r");
    input_string(10, text_entry);
    EXPECT_EQ(entry_text(), "A?^+");
}

// A single-key entry (mode -2) takes the capital, not the Shift pressed
// alone before it.
TEST_F(ScreenTest, SingleKeyEntryTakesACapital)
{
    moveto(100, 300);
    type_keys("Q");
    input_string(1, single_key_entry);
    EXPECT_EQ(is[0], 'Q');
}

TEST_F(ScreenTest, MouseButtonsAnswerAndBackUp)
{
    moveto(100, 320);
    click(1);
    EXPECT_EQ(input_string(5, numeric_entry), 0);
    EXPECT_EQ(is[0], 13);
    click(3);
    EXPECT_EQ(input_string(5, numeric_entry), 0);
    EXPECT_EQ(is[0], 'q');
    type_keys("7");
    click(3);
    type_keys("8\r");
    EXPECT_EQ(input_string(5, numeric_entry), 1);
    EXPECT_EQ(entry_text(), "8");
}

TEST_F(ScreenTest, ArrowKeysEndAnArrowEntry)
{
    moveto(100, 360);
    press_keysym(XK_Left);
    EXPECT_EQ(input_string(3, arrow_entry), 0);
    EXPECT_EQ(is[0], static_cast<char>(-75));
}

TEST_F(ScreenTest, ControlQExitBoxDeclinedKeepsScreenAndEntry)
{
    moveto(100, 400);
    setviewport(0, 0, Maxx, Maxy, 1);
    unsigned long under_box = window_pixel(Maxx / 2, Maxy / 2 - vgay(14));
    type_keys("34");
    type_control_q();
    type_keys("\r");  // declines the exit box
    type_keys("5\r");
    EXPECT_EQ(input_string(5, numeric_entry), 3);
    EXPECT_EQ(entry_text(), "345");
    EXPECT_EQ(window_pixel(Maxx / 2, Maxy / 2 - vgay(14)), under_box);
    EXPECT_EQ(boximage[29], 0u);
}

TEST_F(ScreenTest, EventReadyTakesAPendingKeyWithoutWaiting)
{
    while (event_ready())
        ;
    EXPECT_EQ(event_ready(), 0);
    type_keys("z");
    XSync(D, False);
    ASSERT_EQ(event_ready(), 1);
    EXPECT_EQ(is[0], 'z');
    click(3);
    XSync(D, False);
    ASSERT_EQ(event_ready(), 1);
    EXPECT_EQ(is[0], 'q');
}

} // namespace
