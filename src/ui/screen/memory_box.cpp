// The memory (status) box (memory_box.h): where it stands, as wide as its
// text, and what it covers kept while a dialog's status line stands over a
// drawing.
#include "ui/screen/memory_box.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

// The right edge of the memory box as last drawn: wider than its place when
// its text is longer, so that the erase takes the whole text away.
int memory_box_right = 0;
// The window's last column when memory_box_right was set.
int memory_box_maxx = 0;

// memory_box_right for the window's size now. A resize draws the box again
// from the window's record with its right edge at its place's end or the
// window's right edge where it was there, else moved with the window's
// width (window_record.h): its erase takes that box away, and no more of the
// prompt box beside it.
int
memory_box_right_now()
{
    const int old = memory_box_maxx;
    if (memory_box_right == 0 || old == Maxx)
        return memory_box_right;
    if (memory_box_right == memory_box_place_end(old))
        return memory_box_place_end(Maxx);
    if (memory_box_right == box_right_edge(old))
        return box_right_edge(Maxx);
    long scaled = std::lround(static_cast<double>(memory_box_right) * (Maxx + 1) / (old + 1));
    return static_cast<int>(std::min<long>(scaled, box_right_edge(Maxx)));
}

// The memory box's right edge for a text written in it from x (nullptr:
// none).
int
memory_box_right_for(const char *text, int x)
{
    int right = memory_box_place_end(Maxx);
    if (text) {
        int end = x + text_width_in_use(text) + 3;
        right = std::min(std::max(right, end), box_right_edge(Maxx));
    }
    return right;
}

// The memory box cleared and framed, as wide as its text from x needs.
void
frame_memory_box(const char *text, int x)
{
    erase_memory_box();
    memory_box_right = memory_box_right_for(text, x);
    memory_box_maxx = Maxx;
    setviewport(memory_box_left(Maxx), 2, memory_box_right, prompt_box_bottom(1), 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    setcolor(lightred);
    rectangle(memory_box_left(Maxx), 2, memory_box_right, prompt_box_bottom(1));
}

// Writes text from the current point up to two pixels left of the memory
// box's right frame: a text longer than the widest box shows its start.
void
write_in_memory_box(const char *text)
{
    std::string shown = text;
    while (!shown.empty() && getx + text_width_in_use(shown.c_str()) > memory_box_right - 2)
        shown.pop_back();
    outtext(shown.c_str());
}

// The end of a memory box drawing: the point and colour put back and one
// poll with is[0] kept. Long computations call the box: the poll lets
// Control-q reach the exit box, and any other pending key is dropped.
void
end_memory_box(int16_t x, int16_t y, int colour, char key)
{
    moveto(x, y);
    setcolor(colour);
    event_ready();
    is[0] = key;
}

} // namespace

int16_t
memory_box(int mode, const char *text)
{
    if (mode == 1)
        return 0;
    int16_t x = getx, y = gety;
    int colour = nowcolor;
    char key = is[0];
    frame_memory_box(mode == 2 ? text : nullptr, memory_box_text(Maxx));
    if (mode == 2) {
        setcolor(white);
        moveto(memory_box_text(Maxx), 3);
        write_in_memory_box(text);
    }
    end_memory_box(x, y, colour, key);
    return static_cast<int16_t>(memory_box_left(Maxx));
}

namespace {

// A dialog's title stands beside its question's prompt box: the font its
// glyphs are written in is the one in use where text written from x keeps
// to the title's place, else the medium or the small one. The line's
// metrics stay those of the font in use, so that the box keeps its height
// and its erase takes it whole.
font_use
title_font(const char *text, int x)
{
    const int room = memory_box_place_end(Maxx) - 3 - x;
    font_use fitting = font_in_use();
    for (font_use smaller : {font_medium, font_small}) {
        glyph_font trying(fitting);
        if (text_width_in_use(text) <= room)
            break;
        fitting = smaller;
    }
    return fitting;
}

} // namespace

void
status_box_title(const char *text, int colour)
{
    int16_t x = getx, y = gety;
    int previous = nowcolor;
    char key = is[0];
    int margin = memory_box_left(Maxx) + vgax(3);
    glyph_font font(title_font(text, margin));
    frame_memory_box(text, margin);
    setcolor(colour);
    moveto(margin, vgay(3));
    write_in_memory_box(text);
    end_memory_box(x, y, previous, key);
}

namespace {

// The right edge of the memory box under the one status_box_title_over
// drew, for its put back.
int memory_box_right_under = 0;

// Saves into slot what a memory box with text written from x covers, and
// what the erase of a wider box already there clears before it is drawn;
// returns that box's right edge (0: none), for the put back.
int
save_under_memory_box(int slot, const char *text, int x)
{
    const int under = memory_box_right_now();
    int right = std::max(under, memory_box_right_for(text, x));
    draw_box(slot, memory_box_left(Maxx), 2, right, prompt_box_bottom(1), 0, -1);
    return under;
}

// Puts back what save_under_memory_box kept in slot, and the right edge of
// the box that was there.
void
put_back_under_memory_box(int slot, int right_under)
{
    setviewport(0, 0, Maxx, Maxy, 1);
    putimage(memory_box_left(Maxx), 2, &boximage[slot], 0);
    freeimage(&boximage[slot]);
    memory_box_right = right_under;
    memory_box_maxx = Maxx;
}

} // namespace

void
status_box_title_over(int slot, const char *text, int colour)
{
    glyph_font font(title_font(text, memory_box_left(Maxx) + vgax(3)));
    memory_box_right_under = save_under_memory_box(slot, text, memory_box_left(Maxx) + vgax(3));
    status_box_title(text, colour);
}

void
put_back_under_status_box(int slot)
{
    if (slot < 0 || slot > 29)
        return;
    put_back_under_memory_box(slot, memory_box_right_under);
}

void
take_down_memory_box_left_behind(const window_frame &before)
{
    if (memory_box_right == 0 || memory_box_maxx != before.maxx || before.maxx == Maxx)
        return;
    const int bottom = box_lines_bottom(1, before.cheight, before.winmaxy);
    setviewport(memory_box_left(before.maxx), 2, std::min<int>(memory_box_right, Maxx),
                std::min<int>(bottom, WinMaxy), 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    memory_box_right = 0;
}

void
erase_memory_box()
{
    setviewport(memory_box_left(Maxx), 2, std::max(memory_box_right_now(), memory_box_place_end(Maxx)),
                prompt_box_bottom(1), 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    memory_box_right = 0;
}

namespace {

// boximage slot under the wait notice.
constexpr int kWaitNoticeSlot = 5;

// The right edge of the memory box under the wait notice.
int wait_notice_right_under = 0;

} // namespace

void
begin_wait_notice()
{
    if (!mouse_found)
        return;
    const char *text = "setting things up, wait...";
    wait_notice_right_under = save_under_memory_box(kWaitNoticeSlot, text, memory_box_text(Maxx));
    memory_box(2, text);
}

void
end_wait_notice()
{
    if (!mouse_found)
        return;
    put_back_under_memory_box(kWaitNoticeSlot, wait_notice_right_under);
}
