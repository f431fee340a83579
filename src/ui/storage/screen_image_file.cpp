// Screen image files (*.nat): '>' saves the whole window, '<' draws a saved
// one back (screen_image_file.h). The window is captured before the name
// dialog is drawn, encoded whole in memory (screen_image_codec.cpp) and only
// then written, so a picture the format cannot hold leaves no file behind.
// A load reads and checks the whole file before it draws anything. Reads the
// window through screen/window_pixels.h and the file dialog of this folder.
#include "ui/storage/screen_image_file.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/storage/screen_image_codec.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/load_refusal.h"

namespace {

// Largest file a valid picture can give: 'o', its size, 8 full bands.
constexpr size_t kMaxFileBytes = 5 + 8 * 65535;

// Draws the rows top..bottom of one decoded run (a column of pixels of one
// colour); colour bytes that name no palette entry (pixels that matched no
// old colour when saved) are drawn in white.
void
draw_run_rows(const nat_run &run, int top, int bottom)
{
    int y0 = std::max<int>(run.y, top);
    int y1 = std::min<int>(run.y + run.length - 1, bottom);
    if (y0 > y1 || run.x > Maxx)
        return;
    int colour = run.colour < kNamedColors ? run.colour : white;
    if (y0 == y1) {
        putpixel(run.x, y0, colour);
        return;
    }
    setfillstyle(0, colour);
    bar(run.x, y0, run.x, y1);
}

// Draws the saved picture's rows top..bottom under a clip of those rows,
// cleared first unless the screen is kept.
void
draw_rows(const std::vector<nat_run> &runs, int top, int bottom, bool keep_screen)
{
    setviewport(0, top, Maxx, bottom, 1);
    if (!keep_screen)
        clearviewport();
    for (const nat_run &run : runs)
        draw_run_rows(run, top, bottom);
}

// Lays the picture over the window as it stands (background pixels are not
// stored, so what they fall on shows through): the runs are drawn into a copy
// of the window, which goes back as one image, the drawing area and the bottom
// strip each in its own copy. The window's texts are covered by a picture
// rather than crossed pixel by pixel. False when no copy could be made.
bool
lay_over_window(const std::vector<nat_run> &runs)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    image_slot picture = 0;
    getimage(0, 0, Maxx, WinMaxy, &picture);
    if (!picture)
        return false;
    image_slot window = current_draw;
    current_draw = picture;
    for (const nat_run &run : runs)
        draw_run_rows(run, 0, WinMaxy);
    current_draw = window;
    copy_drawable_to_window(&picture, 0, 0, Maxx + 1, Maxy + 1);
    copy_drawable_to_window(&picture, 0, Maxy + 1, Maxx + 1, WinMaxy - Maxy);
    freeimage(&picture);
    return true;
}

} // namespace

void
save_screen(const std::function<void()> &before_asking)
{
    int16_t px = getx, py = gety;
    setviewport(0, 0, Maxx, WinMaxy, 1);
    int w = Maxx + 1, h = WinMaxy + 1;
    std::vector<uint32_t> pixels;
    bool captured = read_window_pixels(w, h, pixels);
    if (before_asking) {
        before_asking();
        setviewport(0, 0, Maxx, WinMaxy, 1);
    }

    if (!choose_file("SAVE", "SCREEN", "*.nat", "myimage")) {
        setviewport(0, 0, Maxx, Maxy, 1);
        moveto(px, py);
        return;
    }
    if (!captured) {
        message_box("could not read the window, cont-ret:");
        moveto(px, py);
        is[0] = 'q';
        return;
    }

    std::vector<uint8_t> indices(pixels.size());
    for (size_t i = 0; i < pixels.size(); i++)
        indices[i] = pixel_colour_index(pixels[i]);
    std::vector<uint8_t> file;
    nat_encode_status status = encode_screen_image(indices.data(), w, h, black, file);
    if (status != nat_encode_status::ok) {
        message_box(status == nat_encode_status::band_too_tall
                        ? "window too tall to save, cont-ret:"
                        : "picture too busy to save, cont-ret:");
        setviewport(0, 0, Maxx, WinMaxy, 1);
        moveto(px, py);
        is[0] = 'q';
        return;
    }

    // A failed save leaves an old picture of that name as it was.
    write_or_refuse(filename, file.data(), file.size());
    setviewport(0, 0, Maxx, WinMaxy, 1);
    moveto(px, py);
}

void
load_screen()
{
    int16_t px = getx, py = gety;
    setviewport(0, 0, Maxx, Maxy, 1);
    if (choose_file("LOAD", "SCREEN", "*.nat", "myimage"))
        load_screen_file(filename, is[0] == 'k');
    moveto(px, py);
}

bool
load_screen_file(const char *name, bool keep_screen)
{
    int colour = nowcolor;
    uint8_t fill = fillcolor;
    std::vector<uint8_t> data;
    bool read_ok = read_file(name, data, kMaxFileBytes);
    int w = 0, h = 0;
    std::vector<nat_run> runs;
    std::string fault;
    // A file that could not be read is refused for the read's reason.
    if (!read_ok || !decode_screen_image(data.data(), data.size(), &w, &h, runs, &fault))
        return file_refused(name, fault);

    // On a cleared window the drawing area and the bottom strip are drawn
    // each under its own clip, a column that runs from one into the other
    // split at the strip.
    if (!keep_screen || !lay_over_window(runs)) {
        draw_rows(runs, 0, Maxy, keep_screen);
        draw_rows(runs, Maxy + 1, WinMaxy, keep_screen);
    }
    setviewport(0, 0, getmaxx(), getmaxy(), 1);
    flush_display();
    setfillstyle(0, fill);
    setcolor(colour);
    return true;
}

uint8_t
pixel_colour_index(uint32_t pixel)
{
    for (uint8_t index : oldcolor)
        if (index < kNamedColors && Color_Table[index] == pixel)
            return index;
    return static_cast<uint8_t>(pixel & 0xFF);
}
