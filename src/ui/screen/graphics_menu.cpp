// The graphics settings menu: window size, font size, weight and line
// space, background colour, cursor blink speed, the colour charts and
// printing, changed while the program runs. Loops until the user leaves it.
// Typed sizes are held to what keeps the prompts: a window between the
// least one and the screen, a font size of 7 to 35, a line space the
// set-up's text column can hold; a font whose menu lines overflow the
// prompt box is refused with a message.
#include "ui/screen/graphics_menu.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/model/formatted_text.h"
#include "ui/screen/boxes.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/draw_check.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/print_window.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/screen/x_state.h"

namespace {

constexpr int kLeastWidth = kMinMaxx + 1, kLeastHeight = kMinWinMaxy + 1;
// boximage_prompt slot under the menu's box while it waits for its key.
constexpr int kMenuSlot = 11;
// Lines the text column of the set-up takes below its top (text_column_top).
constexpr int kTextColumnLines = 16;

void
next_box_line(int margin)
{
    moveto(margin, gety + CHeight);
}

// Lines a prompt box takes for these lines, each broken to the box's width
// with room for its entry (a narrow window breaks the menu's lines).
int
box_lines(const std::vector<prompt_part> &lines)
{
    int count = 0;
    for (const prompt_part &line : lines)
        count += prompt_parts_lines(&line, 1);
    return count;
}

// The menu's lines as parts of the box, the last with its entry.
std::vector<prompt_part>
menu_parts(const std::vector<std::string> &texts)
{
    std::vector<prompt_part> parts;
    for (const std::string &text : texts)
        parts.push_back({text.c_str(), parts.size() + 1 == texts.size() ? 1 : 0});
    return parts;
}

// Writes a line of the box from the start of the box's next line (of its
// first when first), broken as box_lines counts it.
void
write_box_line(const prompt_part &line, int margin, bool first = false)
{
    if (!first)
        next_box_line(margin);
    write_prompt_part(line.text, line.entry, margin);
}

// The second line of the menu, its widest.
void
format_font_line()
{
    snprintf(textb[0], 150, "character width=%d height=%d pointsize=%d resize/weight-s",
             CWidth, CHeight, pointsize);
}

// The menu's four lines; the last takes a one-key answer.
std::vector<std::string>
menu_texts()
{
    format_font_line();
    return {formatted("window size=%dx%d resize-S", Maxx + 1, WinMaxy + 1), textb[0],
            "colors: toggle background-b showold-o showall-a",
            "flashing cursor speed-f, print-p quit-q cont-ret:"};
}

// Whether the fonts just loaded keep prompts readable: the automatic size of
// this width always does, a larger one when the menu's widest line fits the
// prompt box.
bool
fonts_fit_window()
{
    if (pointsize <= automatic_point_size(Maxx))
        return true;
    format_font_line();
    return text_pixel_width(textb[0], static_cast<int>(strlen(textb[0]))) <=
           Maxx - 2 - (Maxx / 2 + 3) - CWidth;
}

// The largest line space with which the text column still reaches its last
// prompt above the bottom strip.
int
largest_line_space()
{
    return (Maxy - text_column_top()) / kTextColumnLines;
}

// A refusal in the one-line prompt box, waiting for Return.
void
show_refusal(const char *text)
{
    const int lines = prompt_box_with(text, 1);
    input_string(1, text_entry);
    erase_prompt_box(lines);
}

// The font size and weight in one box, then the line space in a box of its
// own. The first box is drawn in the fonts it began with and taken down
// whole in the new ones (replace_prompt_box keeps its bottom); the line
// space is asked in the new fonts, whose lines step by the new height, so
// it cannot share a box laid out in the old.
void
change_fonts()
{
    const std::string size_text = formatted("set new font size (min 7 max 35, now %d):", pointsize);
    const char *weight_text = " weight, bold-2 medium-1:";
    const prompt_part first[2] = {{size_text.c_str(), 2}, {weight_text, 1}};
    // The first box is as tall as the three questions take in the old fonts,
    // so that it covers what it covered when the line space shared it.
    const prompt_part space_line = {"set new linespace (now 99):", 2};
    const int lines = prompt_parts_lines(first, 2) + prompt_parts_lines(&space_line, 1);
    int margin = replace_prompt_box(lines);
    write_prompt_part(size_text.c_str(), 2, margin);
    int len = input_string(2, numeric_entry);
    int old_size = pointsize, new_size = static_cast<int>(whole_answer_held(pointsize, {7, 35}, len));
    uint8_t old_weight = new_weight;
    write_prompt_part(weight_text, 1, margin);
    input_string(1, numeric_entry);
    if (is[0] == '1' || is[0] == '2')
        new_weight = static_cast<uint8_t>(is[0] - '0');
    setup_fonts(new_size);
    if (!fonts_fit_window()) {
        new_weight = old_weight;
        setup_fonts(old_size);
        erase_prompt_box(lines);
        snprintf(textb[0], 150, "font %d too big for this window, cont-ret:", new_size);
        show_refusal(textb[0]);
        return;
    }
    erase_prompt_box(lines);
    const std::string space_text = formatted("set new linespace (now %d):", CHeight);
    const int space_lines = prompt_box_with(space_text.c_str(), 2);
    // Held to the largest with which the text column keeps its prompts.
    len = input_string(2, numeric_entry);
    long space = whole_answer_held(CHeight, {2, static_cast<double>(largest_line_space())}, len);
    erase_prompt_box(space_lines);
    if (space == CHeight)
        return;
    CHeight = static_cast<int16_t>(space);
    CHeight_changed = 1;
}

void
change_blink_speed()
{
    // Broken to the box's width with room for the entry: in a narrow
    // window the line is wider than the box, and what is typed after it
    // ran across the box's frame.
    const int lines = prompt_box_with("change flashing cursor speed: restore-r or enter factor:", 4);
    input_string(4, text_entry);
    erase_prompt_box(lines);
    if (is[0] == 'r') {
        kCursorFlash = defCursorFlash;
        return;
    }
    if (!isdigit(static_cast<unsigned char>(is[0])) && is[0] != '.')
        return;
    // Held to 1/1000..1000 (0 would stop the blink); the count keeps at
    // least one turn.
    double count = std::trunc(kCursorFlash / entry_held(1, {1e-3, 1e3}));
    kCursorFlash = count < 1 ? 1 : count > 4294967295.0 ? 4294967295u : static_cast<uint32_t>(count);
}

void
toggle_background()
{
    bground = bground == 'w' ? 'b' : 'w';
    XSetWindowBackground(D, W, bground == 'w' ? WhitePixel(D, S) : BlackPixel(D, S));
    XSetWindowBorder(D, W, bground == 'w' ? BlackPixel(D, S) : WhitePixel(D, S));
    setup_colors();
    show_old_colors();
}

// Returns false when the size stayed as it was (the menu is then left). The
// menu's box is erased at the size it was drawn at; then the window takes
// the new size and what it showed is drawn again at that size.
bool
change_window_size()
{
    window_frame before = current_window_frame();
    int16_t maxx = Maxx, winmaxy = WinMaxy;
    const std::string title = formatted("new window size (start %dx%d, min %dx%d)", startMaxx + 1,
                                        startWinMaxy + 1, kLeastWidth, kLeastHeight);
    const std::string width_text = formatted("width (def %d):", Maxx + 1);
    const int lines = box_lines({{title.c_str(), 0}, {width_text.c_str(), 4}, {"height (def 9999):", 4}});
    int margin = draw_prompt_box(lines);
    write_box_line({title.c_str(), 0}, margin, true);
    write_box_line({width_text.c_str(), 4}, margin);
    int len = input_string(4, numeric_entry);
    // Sizes are held between the least window and the screen, so the menu
    // stays on screen.
    int screen_width = DisplayWidth(D, S), screen_height = DisplayHeight(D, S);
    maxx = static_cast<int16_t>(whole_answer_held(Maxx + 1, {kLeastWidth, static_cast<double>(screen_width)}, len) - 1);
    // The 4:3 height of the new width, never below the least window.
    int fitting = static_cast<int>(std::ceil((maxx + 1) * 480.0 / 640.0));
    if (fitting < kLeastHeight)
        fitting = kLeastHeight;
    const std::string height_text = formatted("height (def %d):", fitting);
    write_box_line({height_text.c_str(), 4}, margin);
    len = input_string(4, numeric_entry);
    int four_by_three = std::max(480 * (maxx + 1) / 640, static_cast<int>(kLeastHeight));
    winmaxy = static_cast<int16_t>(
        whole_answer_held(four_by_three, {kLeastHeight, static_cast<double>(screen_height)}, len) - 1);
    if (winmaxy >= screen_height)
        winmaxy = static_cast<int16_t>(screen_height - 1);
    erase_prompt_box(lines);
    if (maxx == Maxx && winmaxy == WinMaxy)
        return false;
    Maxx = maxx;
    WinMaxy = winmaxy;
    Maxy = drawing_area_bottom(WinMaxy);
    XResizeWindow(D, W, Maxx + 1, WinMaxy + 1);
    setup_fonts(0);
    XSetFunction(D, Gc, GXcopy);
    redraw_window_record(before);
    draw_bottom_title(0);
    show_old_colors();
    return true;
}

} // namespace

int
graphics_menu_lines()
{
    const std::vector<std::string> texts = menu_texts();
    return box_lines(menu_parts(texts));
}

void
revise_graphics()
{
    for (;;) {
        setcolor(white);
        const std::vector<std::string> texts = menu_texts();
        const std::vector<prompt_part> menu = menu_parts(texts);
        const int lines = box_lines(menu);
        // The menu is shown over a display (the options after a run): what
        // its box covers there (a histogram's caption its foot would cut)
        // comes back whole when the box closes.
        save_under_prompt_box(kMenuSlot, lines);
        int margin = draw_prompt_box(lines);
        for (size_t i = 0; i < menu.size(); i++)
            write_box_line(menu[i], margin, i == 0);
        input_string(1, text_entry);
        put_back_under_prompt_box(kMenuSlot);
        switch (is[0]) {
        case 'p':
            printimage();
            break;
        case 's':
            change_fonts();
            break;
        case 'f':
            change_blink_speed();
            break;
        case 'b':
            toggle_background();
            break;
        case 'o':
            show_old_colors();
            break;
        case 'a':
            show_all_colors();
            break;
        case 'S':
            if (!change_window_size())
                return;
            break;
        default:
            return;
        }
    }
}
