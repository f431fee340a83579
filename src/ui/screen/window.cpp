// The one window: opening it at the size the display allows, following the
// window manager's resizes, closing it, ending the program when it is closed
// from outside; and the design coordinates (640x480)
// that every layout is written in. Reads fonts.h, colors.h and images.h to
// set those up once the window exists.
#include "ui/screen/window.h"

#include <X11/cursorfont.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ui/screen/colors.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/x_errors.h"
#include "ui/screen/x_state.h"

namespace {

constexpr long kWindowEvents = KeyPressMask | ButtonPressMask | ButtonReleaseMask |
                               PointerMotionMask | ExposureMask |
                               StructureNotifyMask;

// The driver's clean exit, or null (end_program then closes only the window).
void (*program_end)() = nullptr;

// Blocks until the window's first exposure, discarding what comes before:
// nothing may be drawn or read before the server shows the window.
void
wait_first_exposure()
{
    do {
        XNextEvent(D, &Event);
    } while (Event.type != Expose);
}

} // namespace

void
window_size_for_display(int display_width, int16_t *maxx, int16_t *winmaxy)
{
    int mx = 1023;
    if (display_width - 100 < mx)
        mx = display_width - 100;
    if (mx < kMinMaxx)
        mx = kMinMaxx;
    int my = (480 * mx) / 640;
    if (my < kMinWinMaxy)
        my = kMinWinMaxy;
    *maxx = static_cast<int16_t>(mx);
    *winmaxy = static_cast<int16_t>(my);
}

namespace {

// The bottom strip's least height in pixels: its title in the small font
// and the frame round it.
constexpr int kLeastStripHeight = 14;

} // namespace

int16_t
drawing_area_bottom(int16_t winmaxy)
{
    float strip = (static_cast<float>(winmaxy + 1) / 480.0f) * 16.0f;
    // On a short window the scaled strip would be lower than the smallest
    // font its title is written in.
    return static_cast<int16_t>(winmaxy - std::max(static_cast<int>(strip), kLeastStripHeight));
}

int16_t
vgax(float x)
{
    float factor = static_cast<float>(Maxx + 1) / 640.0f;
    return static_cast<int16_t>(static_cast<int>(x * factor));
}

int16_t
vgay(float y)
{
    return vgay_for(y, WinMaxy);
}

int16_t
vgay_for(float y, int winmaxy)
{
    float factor = static_cast<float>(winmaxy + 1) / 480.0f;
    return static_cast<int16_t>(static_cast<int>(y * factor));
}

int16_t
getmaxx()
{
    return Maxx;
}

int16_t
getmaxy()
{
    return WinMaxy;
}

void
open_graphics()
{
    if (bground == 0)
        bground = 'w';
    Maxx = 1023;
    WinMaxy = 767;
    Maxy = 742;

    D = XOpenDisplay(nullptr);
    if (!D) {
        const char *name = getenv("DISPLAY");
        if (name && *name)
            fprintf(stderr, "Zemra: cannot connect to X server %s, the display named by DISPLAY\n",
                    name);
        else
            fputs("Zemra: cannot connect to an X server: DISPLAY is not set\n", stderr);
        fputs("Set the DISPLAY variable to the display of a running X server, for example "
              "DISPLAY=:0\n",
              stderr);
        exit(255);
    }
    install_x_error_handlers();
    start_draw_check_from_environment();
    // Fonts still held belong to an earlier connection (a forked child
    // inherits its parent's): they are not this connection's to close.
    forget_fonts();
    S = DefaultScreen(D);
    window_size_for_display(DisplayWidth(D, S), &Maxx, &WinMaxy);
    startWinMaxy = WinMaxy;
    startMaxx = Maxx;
    Maxy = drawing_area_bottom(WinMaxy);

    unsigned long ink = bground == 'w' ? BlackPixel(D, S) : WhitePixel(D, S);
    unsigned long paper = bground == 'w' ? WhitePixel(D, S) : BlackPixel(D, S);
    W = XCreateSimpleWindow(D, RootWindow(D, S), 0, 0, Maxx + 1, WinMaxy + 1, 1,
                            ink, paper);
    // A resize keeps what is drawn at its place (the prompts, boxes and
    // patterns of the current stage) instead of clearing the window.
    XSetWindowAttributes gravity;
    gravity.bit_gravity = NorthWestGravity;
    XChangeWindowAttributes(D, W, CWBitGravity, &gravity);
    if (DoesBackingStore(ScreenOfDisplay(D, S)) != NotUseful) {
        fprintf(stderr, "\n Using backing store\n");
        XSetWindowAttributes attributes;
        attributes.backing_store = WhenMapped;
        XChangeWindowAttributes(D, W, CWBackingStore, &attributes);
    }
    screen_depth = static_cast<uint16_t>(DefaultDepth(D, S));
    XSelectInput(D, W, kWindowEvents);
    XStoreName(D, W, "Zemra");
    // A window manager's close then asks (a ClientMessage) instead of
    // destroying the window under the program.
    wm_delete_window = XInternAtom(D, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(D, W, &wm_delete_window, 1);
    XMapRaised(D, W);

    XGCValues values;
    values.graphics_exposures = False;
    values.foreground = BlackPixel(D, S);
    values.background = WhitePixel(D, S);
    values.line_width = 0;
    values.line_style = LineSolid;
    values.cap_style = CapButt;
    values.join_style = JoinMiter;
    Gc = XCreateGC(D, W,
                   GCGraphicsExposures | GCForeground | GCBackground | GCLineWidth |
                       GCLineStyle | GCCapStyle | GCJoinStyle,
                   &values);
    wait_first_exposure();

    leftCursor = XCreateFontCursor(D, XC_left_ptr);
    rightCursor = XCreateFontCursor(D, XC_right_ptr);
    XDefineCursor(D, W, rightCursor);
    mouse_found = 1;

    setup_fonts(0);
    setup_colors();
    setup_images();
    current_draw = W;
}

int
resize_window()
{
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(D, W, &attributes)) {
        fprintf(stderr, "%s: Failed to get window attributes.\n", "Zemra");
        exit(255);
    }
    // A window the manager shrinks below the least size is drawn as if it had
    // that size (the rest is clipped), so no layout divides by a zero width.
    int width = attributes.width < kMinMaxx + 1 ? kMinMaxx + 1 : attributes.width;
    int height = attributes.height < kMinWinMaxy + 1 ? kMinWinMaxy + 1 : attributes.height;
    if (width - 1 == Maxx && height - 1 == WinMaxy)
        return 0;
    Maxx = static_cast<int16_t>(width - 1);
    WinMaxy = static_cast<int16_t>(height - 1);
    Maxy = drawing_area_bottom(WinMaxy);
    free_fonts();
    setup_fonts(0);
    return 1;
}

void
close_graphics()
{
    draw_check_summary();
    close_shape_batch();
    free_fonts();
    free_images();
    XFreeCursor(D, leftCursor);
    XFreeCursor(D, rightCursor);
    if (!window_destroyed)
        XDestroyWindow(D, W);
    XFreeGC(D, Gc);
    XCloseDisplay(D);
    D = nullptr;
    W = 0;
    current_draw = 0;
}

void
set_program_end(void (*end)())
{
    program_end = end;
}

void
end_program()
{
    if (program_end)
        program_end();
    close_graphics();
    fputs("\nZemra clean exit\n", stderr);
    exit(0);
}

bool
window_is_open()
{
    return D != nullptr;
}
