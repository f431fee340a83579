// Every answer of the user passes through here: the wait for a key or button
// with a blinking block, the translation of the event into a key code, the
// line editor that fills `is` (its rules are in line_editor.cpp), the poll of
// long computations, and the exit box that Control-q (or a window manager's
// close) opens from any wait. A window destroyed from outside, or SIGTERM
// or SIGHUP, ends the program at the next wait or poll.
//
// The wait blocks in poll() on the X connection, waking for events and for
// the blink, so an idle program takes no processor time. When the variable
// ZEMRA_READY_FD names an open descriptor, each wait writes one byte to it as
// it blocks: the end-to-end tests type a key only after that signal. The hot
// keys of the text entry run the actions the driver registers at start-up.
#include "ui/screen/input.h"

#include <X11/keysym.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/end_signals.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/memory_box.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

constexpr long kWaitEvents = KeyPressMask | ButtonPressMask | PointerMotionMask |
                             ExposureMask | StructureNotifyMask;
constexpr int kControlQ = 17;

// Set while a probe follows the pointer: a motion inside the wait's
// rectangle ends the wait as a key would.
bool motion_returns = false;
// Set while the exit box waits for its answer, so Control-q there does not
// open a second box over the first.
bool exit_box_open = false;
// Set while '@', '>' or '<' runs its dialog, so the same keys typed inside
// that dialog do not start another one on the same prompt slots.
bool hot_key_running = false;
// The action of each hot key, by character; null: the key does nothing.
void (*hot_key_actions[256])() = {};

// The descriptor named by ZEMRA_READY_FD, made non-blocking so a reader that
// stops reading never stalls the program; -1 when the variable is unset or
// names no open descriptor.
int
open_ready_fd()
{
    const char *name = getenv("ZEMRA_READY_FD");
    if (!name || !*name)
        return -1;
    char *end = nullptr;
    long fd = strtol(name, &end, 10);
    if (*end != '\0' || fd < 0 || fd > INT_MAX)
        return -1;
    int flags = fcntl(static_cast<int>(fd), F_GETFL);
    if (flags < 0 || fcntl(static_cast<int>(fd), F_SETFL, flags | O_NONBLOCK) < 0)
        return -1;
    return static_cast<int>(fd);
}

// Writes the byte that says a wait for a key has begun; a reader gone or a
// descriptor closed ends the signals, a full pipe only drops this one.
void
signal_key_wait()
{
    static int ready_fd = open_ready_fd();
    if (ready_fd < 0)
        return;
    if (write(ready_fd, "w", 1) < 0 && errno != EAGAIN && errno != EINTR)
        ready_fd = -1;
}

long
now_ms()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

// Half a blink period in milliseconds: kCursorFlash / 500.
long
blink_half_period_ms()
{
    long ms = static_cast<long>(kCursorFlash / 500);
    return ms < 1 ? 1 : ms;
}

// Toggles the cursor block (the GC draws in XOR while the wait runs); the
// block is no part of what the window shows.
void
toggle_block(const cursor_block &b)
{
    pause_window_record(true);
    bar(getx + b.dx, gety + b.dy, getx + b.w - 1, gety + b.h - 1);
    pause_window_record(false);
}

// Shows the left-pointer cursor while the pointer is inside the active
// rectangle, the right-pointer one outside.
void
track_pointer_shape(const pointer_rect &r)
{
    if (r.x1 - r.x0 <= 0 || r.y1 - r.y0 <= 0)
        return;
    bool inside = mouse_x >= r.x0 && mouse_x <= r.x1 && mouse_y >= r.y0 && mouse_y <= r.y1;
    if (inside && !inside_rect) {
        XDefineCursor(D, W, leftCursor);
        inside_rect = 1;
    } else if (!inside && inside_rect) {
        XDefineCursor(D, W, rightCursor);
        inside_rect = 0;
    }
}

// Saved copy of the entry being typed while the exit box or a hot-key dialog
// reads its own answers into `is`.
char saved_entry[kInputLineSize];

// The exit box of Control-q: 'q' ends the program, any other key puts the
// screen back and returns to the interrupted wait.
void
control_q_exit_box()
{
    exit_box_open = true;
    memcpy(saved_entry, is, kInputLineSize);
    keep_point();
    int colour = nowcolor;
    image_slot drawable = current_draw;
    current_draw = W;

    box_corners box = draw_exit_question(29, "Exit Zemra-q, Restart-ret:");
    input_string(1, text_entry);
    if (is[0] == 'q')
        end_program();
    putimage(box.x0, box.y0, &boximage[29], 3);
    freeimage(&boximage[29]);
    current_draw = drawable;
    setcolor(colour);
    put_back_point();
    memcpy(is, saved_entry, kInputLineSize);
    exit_box_open = false;
}

// True for the window manager's request to close the window.
bool
is_close_request(const XEvent &event)
{
    return event.type == ClientMessage && event.xclient.format == 32 &&
           static_cast<Atom>(event.xclient.data.l[0]) == wm_delete_window;
}

// What a poll of a long computation takes from the queue: keys, buttons,
// the window's resize, close or destruction.
Bool
is_poll_event(Display *, XEvent *event, XPointer)
{
    return event->type == KeyPress || event->type == ButtonPress || is_close_request(*event) ||
           (event->type == ConfigureNotify && event->xconfigure.window == W) ||
           (event->type == DestroyNotify && event->xdestroywindow.window == W);
}

// Ends the program once the window is gone (nothing can be drawn or read)
// or SIGTERM or SIGHUP arrived (end_signals.h).
void
end_if_window_destroyed()
{
    if (window_destroyed || end_signal_caught())
        end_program();
}

// After a resize that the window's record cannot redraw (a run's pattern):
// the old bottom strip (rows top..bottom, columns 0..right) is cleared and
// the strip drawn at the new bottom; the rest of the drawing stays, and the
// viewport, colours and point are kept for the run that goes on drawing. A
// viewport that reached the old drawing area's bottom or right edge reaches
// the new one, so that a run draws down to it and the boxes it opens at the
// new size (placed from the new right edge) show their whole lines.
void
move_bottom_strip(int top, int right, int bottom)
{
    int16_t x0 = view_x0, y0 = view_y0, x1 = view_x1, y1 = view_y1;
    if (y1 == top - 1)
        y1 = Maxy;
    if (x1 == right)
        x1 = Maxx;
    uint8_t colour = nowcolor, fill = fillcolor;
    setviewport(0, 0, Maxx, WinMaxy, 1);
    setfillstyle(0, black);
    bar(0, top, right, bottom);
    draw_bottom_title(0);
    setviewport(x0, y0, x1, y1, 1);
    setcolor(colour);
    fillcolor = fill;
}

// On a configure event: takes the window's size as it is now (a window
// manager's drag queues many such events; one redraw serves them all). When
// it changed, the current stage is drawn again at the new size, or else the
// strip moved; true then.
bool
take_resize()
{
    XEvent later;
    while (XCheckTypedWindowEvent(D, W, ConfigureNotify, &later)) {
    }
    window_frame before = current_window_frame();
    if (!resize_window())
        return false;
    if (!redraw_window_record(before)) {
        take_down_memory_box_left_behind(before);
        move_bottom_strip(before.maxy + 1, before.maxx, before.winmaxy);
    }
    return true;
}

// Runs the action registered for a hot key ('@' prints the window, '>' saves
// it, '<' loads a screen image); the entry typed so far and the current point
// are kept across the dialog.
void
run_hot_key(int key)
{
    void (*action)() = hot_key_actions[static_cast<unsigned char>(key)];
    if (!action)
        return;
    hot_key_running = true;
    memcpy(saved_entry, is, kInputLineSize);
    keep_point();
    const uint32_t clears = drawing_area_clears();
    action();
    // A picture loaded over the whole drawing area took the prompt box
    // away, but the entry goes on at its point: the box's rows stay the
    // dialog's, for the next box to clear with what the echo puts there.
    prompt_box_outlives_clear(clears);
    put_back_point();
    memcpy(is, saved_entry, kInputLineSize);
    hot_key_running = false;
}

// Clears the ink of s as written from the point, and no more: the frame of
// a box round it, and the tails of the line above that reach into its
// line, stay.
void
clear_shown(const char *s)
{
    int left = 0, right = 0, above = 0, below = 0;
    text_ink_columns_in_use(s, left, right);
    text_ink_in_use(s, above, below);
    const int baseline = line_baseline(gety);
    setfillstyle(0, black);
    bar(getx + left, baseline - above, getx + right - 1, baseline + below - 1);
}

// Removes c, the character echoed last before the point, from the screen,
// moving the point back: written again at its place in the background's
// colour, it takes its own ink and no more, where a serif reaches left of
// the point or past the advance too. A rectangle over that ink would take
// the columns of the text before that the glyph reaches under (a j's hook
// under a prompt's colon).
void
erase_echoed(char c)
{
    // The width outtext advanced by when the character was echoed.
    const char echoed[2] = {c, '\0'};
    const int w = text_width_in_use(echoed);
    moverel(-w, 0);
    const int colour = getcolor();
    setcolor(black);
    outtext(echoed);
    setcolor(colour);
    moverel(-w, 0);
}

} // namespace

void
take_back_echo(int len)
{
    while (len > 0)
        erase_echoed(is[--len]);
}

void
set_motion_returns(bool on)
{
    motion_returns = on;
}

cursor_block
entry_block(int colour)
{
    return cursor_block{0, -1, CWidth, CHeight / 2 + 1, colour};
}

void
flashing_cursor(const cursor_block &block, const pointer_rect &area)
{
    int lift = vgay(4);
    moverel(0, lift);
    button_not_rel = 0;
    inside_rect = 0;
    button = 0;
    send_gathered_shapes();
    XSetFunction(D, Gc, GXxor);
    setfillstyle(0, block.colour);
    toggle_block(block);
    bool shown = true, signalled = false;
    long next_toggle = now_ms() + blink_half_period_ms();
    int fd = ConnectionNumber(D);

    for (;;) {
        end_if_window_destroyed();
        track_pointer_shape(area);
        if (XCheckTypedWindowEvent(D, W, ClientMessage, &Event)) {
            if (!is_close_request(Event))
                continue;
            button = 'c';
            break;
        }
        if (XCheckWindowEvent(D, W, kWaitEvents, &Event)) {
            if (Event.type == ButtonPress) {
                mouse_x = static_cast<int16_t>(Event.xbutton.x);
                mouse_y = static_cast<int16_t>(Event.xbutton.y);
                if (Event.xbutton.button == Button1)
                    button = 'l';
                else if (Event.xbutton.button == Button3)
                    button = 'r';
                break;
            }
            if (Event.type == KeyPress) {
                button = 'k';
                break;
            }
            if (Event.type == MotionNotify) {
                mouse_x = static_cast<int16_t>(Event.xmotion.x);
                mouse_y = static_cast<int16_t>(Event.xmotion.y);
                if (motion_returns && area.x1 > area.x0 && area.y1 > area.y0 && mouse_x >= area.x0 &&
                    mouse_x <= area.x1 && mouse_y >= area.y0 && mouse_y <= area.y1) {
                    button = 'm';
                    break;
                }
            } else if (Event.type == DestroyNotify) {
                window_destroyed = true;
            } else if (Event.type == ConfigureNotify) {
                // The stage is drawn again at the new size and the wait goes
                // on there, the block at the point moved with the drawing.
                if (shown) {
                    toggle_block(block);
                    shown = false;
                }
                XSetFunction(D, Gc, GXcopy);
                moverel(0, -lift);
                if (take_resize())
                    lift = vgay(4);
                moverel(0, lift);
                XSetFunction(D, Gc, GXxor);
                setfillstyle(0, block.colour);
            }
            continue;
        }
        long now = now_ms();
        if (now >= next_toggle) {
            toggle_block(block);
            shown = !shown;
            next_toggle = now + blink_half_period_ms();
        }
        if (!signalled) {
            // A round trip, not only a flush: everything drawn before the
            // wait has reached the screen when the wait is announced, so a
            // client that looks at the window then sees it. The round trip
            // may queue events: they are looked at before sleeping.
            draw_check_at_wait();
            XSync(D, False);
            signal_key_wait();
            signalled = true;
            continue;
        }
        XFlush(D);
        long timeout = next_toggle - now_ms();
        pollfd connection = {fd, POLLIN, 0};
        poll(&connection, 1, timeout > 0 ? static_cast<int>(timeout) : 0);
    }

    if (shown)
        toggle_block(block);
    XSetFunction(D, Gc, GXcopy);
    moverel(0, -lift);
    setfillstyle(0, black);
    inside_rect = 0;
}

int
keycheck(int len)
{
    char pressed = button;
    button = 0;
    if (pressed == 'l')
        return kKeyReturn;
    if (pressed == 'r')
        return len > 0 ? kKeyErase : 'q';
    if (pressed == 'c') {
        if (!exit_box_open)
            control_q_exit_box();
        return kControlQ;
    }
    if (pressed != 'k')
        return 0;

    char text[16] = {0};
    KeySym keysym = NoSymbol;
    XLookupString(&Event.xkey, text, sizeof text, &keysym, nullptr);
    switch (keysym) {
    case XK_Left:
    case XK_KP_Left:
        return kKeyLeft;
    case XK_Up:
    case XK_KP_Up:
        return kKeyUp;
    case XK_Right:
    case XK_KP_Right:
        return kKeyRight;
    case XK_Down:
    case XK_KP_Down:
        return kKeyDown;
    case XK_Delete:
    case XK_KP_Delete:
        return kKeyErase;
    default:
        break;
    }
    if ((keysym == XK_q || keysym == XK_Q) && (Event.xkey.state & ControlMask)) {
        if (!exit_box_open)
            control_q_exit_box();
        return kControlQ;
    }
    return static_cast<signed char>(text[0]);
}

namespace {

// Whether the glyphs of c, written at the point, keep inside box.
bool
ink_inside(char c, const entry_box &box)
{
    const char one[2] = {c, '\0'};
    int left = 0, right = 0, above = 0, below = 0;
    text_ink_columns_in_use(one, left, right);
    text_ink_in_use(one, above, below);
    const int baseline = line_baseline(gety);
    return getx + left >= box.x0 && getx + right - 1 <= box.x1 && baseline - above >= box.y0 &&
           baseline + below - 1 <= box.y1;
}

// The echo of an entry: the characters of `is` shown before the point. On
// a line all of them are; in a box only the first ones whose glyphs keep
// inside it, so that the echo never reaches the box's frame or what is
// beside it: a longer entry, or a letter that inks below the digits (a
// command key of the box), is typed on without being shown. Each character
// is written as a text of its own, so that each is taken back as it was
// written (erase_echoed, take_back_echo).
struct entry_echo {
    const entry_box *box; // nullptr: a line of its own
    int shown;            // characters of is[] echoed

    // Echoes is[len - 1], the character just stored, where it may show.
    void add(int len)
    {
        if (shown != len - 1 || (box && !ink_inside(is[len - 1], *box)))
            return;
        const char echo[2] = {is[len - 1], 0};
        outtext(echo);
        shown = len;
    }
    // Echoes the first len characters of is[] afresh from the point, each
    // where it may show.
    void add_first(int len)
    {
        shown = 0;
        for (int i = 1; i <= len; i++)
            add(i);
    }
    // Takes is[len], the character just taken off the entry, off the screen
    // where it showed. In a box only the glyphs' ink is cleared: the frame
    // round it stays. The ink of the character before may reach into the
    // removed one's columns (an f's hook over an o): the echo is cleared
    // whole and what stays of it echoed again.
    void remove(int len)
    {
        if (len >= shown)
            return;
        if (!box) {
            shown = len;
            erase_echoed(is[len]);
            return;
        }
        const std::string echoed(is, static_cast<size_t>(shown));
        moverel(-text_width_in_use(echoed.c_str()), 0);
        clear_shown(echoed.c_str());
        add_first(len);
    }
};

// The entry loop from the len characters already in `is`, echoed first at
// the point. While `selected`, those characters go as a whole on the first
// key: a character typed replaces them, and 'q' ends the entry as on an
// empty one; Return, an arrow or erase keep them as typed text. A value `shown`
// at the point (nullptr: none), which is no part of the entry, is cleared
// when the first character is typed, so that its echo does not land on it.
// With a box (nullptr: none) the echo keeps inside it (entry_echo).
int
edit_from(int max, int mode, int len, bool selected, const char *shown, const entry_box *box)
{
    int block = green;
    entry_echo echo{box, 0};
    echo.add_first(len);
    for (;;) {
        flashing_cursor(entry_block(block));
        int key = keycheck(len);
        if (selected && key == 'q') {
            while (len > 0)
                echo.remove(--len);
        }
        entry_step step = edit_entry(is, len, key, max, mode);
        if (selected && step == entry_step::stored) {
            char typed = is[len - 1];
            for (len--; len > 0;)
                echo.remove(--len);
            is[len++] = typed;
        }
        if (key != 0 && step != entry_step::hot_key)
            selected = false;
        switch (step) {
        case entry_step::finished:
            return len;
        case entry_step::hot_key:
            if (!hot_key_running)
                run_hot_key(key);
            break;
        case entry_step::erased:
            echo.remove(len);
            break;
        case entry_step::stored:
            if (shown) {
                clear_shown(shown);
                shown = nullptr;
            }
            echo.add(len);
            break;
        case entry_step::ignored:
            break;
        }
        XFlush(D);
        if (len >= kInputLineSize)
            return len;
    }
}

} // namespace

int
input_string(int max, int mode)
{
    return edit_from(max, mode, 0, false, nullptr, nullptr);
}

int
input_string_over(int max, int mode, const char *shown)
{
    return edit_from(max, mode, 0, false, shown, nullptr);
}

namespace {

// The entry begun by start of input_string_in_box, echoed by edit_from.
int
begin_entry(int max, const char *start)
{
    int len = 0;
    while (start[len] && len < max && len < kInputLineSize)
        len++;
    memcpy(is, start, static_cast<size_t>(len));
    return len;
}

} // namespace

int
input_string_in_box(int max, int mode, const char *start, const char *shown,
                    const entry_box &box)
{
    int len = begin_entry(max, start ? start : "");
    return edit_from(max, mode, len, len > 0, shown, &box);
}

void
set_entry_hot_key(char key, void (*action)())
{
    hot_key_actions[static_cast<unsigned char>(key)] = action;
}

namespace {

// The server's round trip every kServerCatchUpMs at most, from the polls of
// long computations.
constexpr long kServerCatchUpMs = 50;
long last_catch_up = 0;

// Lets the server catch up with what was sent to it: a computation that
// draws as it goes (a field of 2^22 single-state basins) can send drawing
// faster than a busy server draws it, and the prompt that a key opens then
// waits until all of that is drawn. A round trip now and then keeps that
// to a few hundredths of a second.
void
let_server_catch_up()
{
    long now = now_ms();
    if (now - last_catch_up < kServerCatchUpMs)
        return;
    XSync(D, False);
    last_catch_up = now_ms();
}

} // namespace

int
event_ready()
{
    end_if_window_destroyed();
    if (!D)
        return 0; // no window open: no key can be waiting
    let_server_catch_up();
    if (!XCheckIfEvent(D, &Event, is_poll_event, nullptr))
        return 0;
    if (Event.type == DestroyNotify) {
        window_destroyed = true;
        end_program();
    }
    if (Event.type == ConfigureNotify) {
        // A run goes on in the resized window: its page ends at the new Maxy.
        take_resize();
        return 0;
    }
    if (Event.type == ClientMessage)
        button = 'c';
    else if (Event.type == ButtonPress)
        button = Event.xbutton.button == Button1   ? 'l'
                 : Event.xbutton.button == Button3 ? 'r'
                                                   : 0;
    else
        button = 'k';
    is[0] = static_cast<char>(keycheck(0));
    return 1;
}
