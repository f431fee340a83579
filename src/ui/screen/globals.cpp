// Definitions and start values of the screen layer's shared state
// (globals.h) and of the X connection (x_state.h).
#include "ui/screen/globals.h"
#include "ui/screen/x_state.h"

#include <cstring>

#include "engine/model/start_values.h"

int16_t Maxx = 1023;
int16_t WinMaxy = 767;
int16_t Maxy = 742;
int16_t startMaxx = 1023, startWinMaxy = 767;

int16_t getx = 0, gety = 0;
uint8_t nowcolor = 0;
uint8_t fillcolor = 0;
int16_t view_x0 = 0, view_y0 = 0, view_x1 = 0, view_y1 = 0;
char bground = 'b';
uint8_t mouse_found = 0;
uint16_t screen_depth = 0;

int16_t pointsize = 0;
uint8_t new_weight = font_weight_bold;
int16_t CHeight = 11, CWidth = 6;
uint8_t CHeight_changed = 0;
uint8_t fonttype = 0;

uint32_t Color_Table[kNamedColors];
uint8_t black, blue, green, cyan, red, magenta, brown, lightgray, darkgray,
    lightblue, lightgreen, lightcyan, lightred, lightmagenta, yellow, white;
uint8_t oldcolor[16];

image_slot boximage[30];
image_slot boximage_prompt[15];
image_slot stpimage = 0;
image_slot statblock = 0;
int16_t msize = 0;
image_slot current_draw = 0;

char **textb = nullptr;
char *is = nullptr;

char button = 0;
int16_t mouse_x = 0, mouse_y = 0;
uint8_t inside_rect = 0;
uint8_t button_not_rel = 0;
uint32_t kCursorFlash = 200137;
uint32_t defCursorFlash = 200137;

float xtext = 0;

Display *D = nullptr;
int S = 0;
Window W = 0;
GC Gc = nullptr;
XEvent Event;
XRectangle viewport = {0, 0, 0, 0};
Cursor leftCursor = 0, rightCursor = 0;
Colormap default_cmap = 0;
Atom wm_delete_window = 0;
bool window_destroyed = false;

XFontStruct *nonpropfont = nullptr, *mediumnonpropfont = nullptr,
            *smallnonpropfont = nullptr, *propfont = nullptr,
            *mediumpropfont = nullptr, *smallpropfont = nullptr,
            *tempfont = nullptr, *italicfont = nullptr;

// --- Per-run reset (globals.h).

void
reset_screen_run()
{
    // Nothing to reset: every global here belongs to the window, its fonts, colours and input, for
    // the program's lifetime.
}

// --- Start values (globals.h): the pen, the pointer and the typed answer.
// The window's size, fonts, colours and viewport stay as the window has them.

namespace {
const start_values screen_start(getx, gety, bground, new_weight, button, mouse_x, mouse_y,
                                inside_rect, button_not_rel, kCursorFlash, defCursorFlash, xtext);
} // namespace

void
restore_screen_start_values()
{
    screen_start.restore();
    if (is)
        memset(is, 0, kInputLineSize);
}
