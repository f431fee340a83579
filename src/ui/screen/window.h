// The window's life cycle and the arithmetic of its size and of the 640x480
// design coordinates that every layout uses.
#pragma once
#include <cstdint>

// Opens the display and the window, waits for its first exposure, loads the
// fonts and colours and creates the image slots. Without an X server it
// says which display it tried (or that DISPLAY is not set) and to set the
// DISPLAY variable, on standard error, and exits with status 255.
void open_graphics();
// Called on a configure event: 1 when the window's size changed (fonts are
// reloaded for the new width; the caller draws the window again), 0 when not.
int resize_window();
// Releases fonts, image slots, cursors, the window and the display.
void close_graphics();
// Registers how the program ends (the driver's clean exit); without one the
// window is closed and "\nZemra clean exit\n" written before exit status 0.
void set_program_end(void (*end)());
// Ends the program as its clean exit does (the exit box's 'q', the window
// destroyed from outside).
[[noreturn]] void end_program();
// True from open_graphics to close_graphics: the window can take a dialog.
bool window_is_open();

// The window's last column and row for a display of the given width (the
// default 1024x768 window, narrowed on displays under 1123 pixels and never
// smaller than the least window of 300x250).
void window_size_for_display(int display_width, int16_t *maxx, int16_t *winmaxy);
// The last row of the drawing area for a window whose last row is winmaxy:
// the bottom title strip takes 16/480 of the height.
int16_t drawing_area_bottom(int16_t winmaxy);
// Smallest window the program keeps to: 300 x 250 pixels.
constexpr int16_t kMinMaxx = 299, kMinWinMaxy = 249;

// Design coordinates (0..640 by 0..480) to window pixels, truncated to zero.
int16_t vgax(float x);
int16_t vgay(float y);
// vgay for a window whose last row is winmaxy.
int16_t vgay_for(float y, int winmaxy);
int16_t getmaxx();            // Maxx
int16_t getmaxy();            // WinMaxy (the whole window, not Maxy)
