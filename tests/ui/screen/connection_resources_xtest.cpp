// What belongs to one X connection stays with it: a window opened on a new
// connection (a forked child's, as the out-of-memory box tests make) does
// not close the fonts its parent's GC names, and a pixmap is refused only
// for an error of its own request, not for an earlier one reported while
// it was made.
#include "support/x_test_fixture.h"

#include <unistd.h>

#include <cstdlib>

#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window.h"
#include "ui/screen/x_errors.h"
#include "ui/screen/x_state.h"

namespace {

class ConnectionResources : public ScreenTest {
};

// Every font of the window on the GC in turn: an error when one is gone.
unsigned long
errors_using_every_font()
{
    unsigned long before = x_sync_errors();
    for (font_use f : {font_small, font_medium, font_label, font_italic, font_normal}) {
        use_font(f);
        outtext("x");
    }
    return x_sync_errors() - before;
}

TEST_F(ConnectionResources, AChildsWindowLeavesTheParentsFonts)
{
    ASSERT_EQ(errors_using_every_font(), 0u);
    EXPECT_EXIT(
        {
            D = nullptr;
            open_graphics();
            close_graphics();
            _exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(errors_using_every_font(), 0u);
}

TEST_F(ConnectionResources, AnEarlierErrorDoesNotFailAPixmap)
{
    // A font id no client holds: its error comes back only after the next
    // round trip, the one that checks the pixmap. The changes to the
    // context still pending go first: the server refuses the whole request
    // that carries the bad font, and a drawing function or colour refused
    // with it would stay behind Xlib's record of the context for every test
    // after this one.
    XFlushGC(D, Gc);
    XSetFont(D, Gc, 0x1234567);
    unsigned long before = x_error_count;
    image_slot slot = 0;
    testing::internal::CaptureStderr();
    getimage(10, 10, 40, 40, &slot);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(x_error_count, before + 1);
    EXPECT_NE(slot, 0u);
    EXPECT_EQ(said.find("Error creating pixmap"), std::string::npos) << said;
    if (slot)
        freeimage(&slot);
    use_font(font_normal);
}

TEST_F(ConnectionResources, APixmapTheServerRefusesIsRefused)
{
    image_slot slot = 0;
    testing::internal::CaptureStderr();
    // Wider than the server allows (the protocol's sizes are 16 bits).
    getimage(0, 0, 40000, 40000, &slot);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(slot, 0u);
    EXPECT_NE(said.find("Error creating pixmap"), std::string::npos) << said;
}

} // namespace
