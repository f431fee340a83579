// Screen images: the window saved to and loaded from run-length encoded
// *.nat files ('>' and '<' in any text entry).
#pragma once
#include <cstdint>
#include <functional>

// Saves the window as it stands into a *.nat file the user names;
// before_asking, when given, runs once the picture is taken and before the
// name is asked (a caller's box kept in the picture goes, so that the
// dialog's boxes do not show it cut at their sides).
void save_screen(const std::function<void()> &before_asking = {});
void load_screen();
// Draws the picture of the named *.nat file, over the window as it is when
// keep_screen, else on a cleared one; a file that cannot be read or decoded
// gets the file error box with the reason (nothing drawn) and false.
bool load_screen_file(const char *name, bool keep_screen);

// The colour index a window pixel is stored as: the palette index of the
// first of the sixteen old colours (in oldcolor order) with that pixel
// value, else the pixel's low byte.
uint8_t pixel_colour_index(uint32_t pixel);
