// The palette: 53 named X colours allocated in the default colour map, and
// the sixteen old colours (black .. white) that name palette entries by
// background, so that drawing code says `white` for the foreground and
// `black` for the background on either background. Also the two colour charts
// of the graphics settings menu.
#include "ui/screen/colors.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "engine/model/formatted_text.h"
#include "ui/screen/boxes.h"
#include "ui/screen/box_places.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/graphics_menu.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"
#include "ui/screen/x_state.h"

namespace {

constexpr const char *kColorNames[kNamedColors] = {
    "White", "Black", "Yellow", "Gold", "Khaki", "Wheat", "Tan", "Goldenrod",
    "Orange", "Coral", "Salmon", "Red", "Orange Red", "Indian Red", "Firebrick",
    "Brown", "Sienna", "Maroon", "Medium Violet Red", "Violet Red", "Pink",
    "Green", "Spring Green", "Medium Spring Green", "Green Yellow", "Pale Green",
    "Yellow Green", "Lime Green", "Medium Sea Green", "Sea Green", "Forest Green",
    "Olive Drab", "Dark Olive Green", "Dark Green", "Cadet Blue",
    "Medium Aquamarine", "Dark Turquoise", "Turquoise", "Aquamarine", "Cyan",
    "Blue", "Medium Blue", "Medium Slate Blue", "Cornflower Blue", "Sky Blue",
    "Light Blue", "Light Steel Blue", "Steel Blue", "Dark Slate Blue", "Navy",
    "Navy Blue", "Midnight Blue", "GhostWhite"};

// The old colours in the order of oldcolor and of their chart.
uint8_t *const kOldColors[16] = {&black,     &blue,      &green,      &lightcyan,
                                 &lightred,  &magenta,   &brown,      &lightgray,
                                 &darkgray,  &lightblue, &lightgreen, &cyan,
                                 &red,       &lightmagenta, &yellow,  &white};
constexpr const char *kOldColorNames[16] = {
    "black",     "blue",      "green",      "lightcyan", "lightred", "magenta",
    "brown",     "lightgray", "darkgray",   "lightblue", "lightgreen", "cyan",
    "red",       "lightmagenta", "yellow",  "white"};

// Palette index of each old colour, in kOldColors order, per background.
constexpr uint8_t kOnBlack[16] = {Black,           Blue,         Green,     Cyan,
                                  Orange_Red,      Violet_Red,   Sienna,    Light_Steel_Blue,
                                  Dark_Green,      Cornflower_Blue, Green_Yellow, Dark_Turquoise,
                                  Salmon,          Pink,         Yellow,    White};
constexpr uint8_t kOnWhite[16] = {White,           Gold,         Medium_Sea_Green, Brown,
                                  Red,             Violet_Red,   Dark_Green, Dark_Turquoise,
                                  Pale_Green,      Cornflower_Blue, Lime_Green, Olive_Drab,
                                  Indian_Red,      Violet_Red,   Blue,      Black};
// The top of each column of a chart: below the settings menu's prompt box,
// which small windows or large fonts bring down past vgay(50).
int
chart_top()
{
    int below_menu = prompt_box_bottom(graphics_menu_lines()) + vgay(4);
    return below_menu > vgay(50) ? below_menu : vgay(50);
}

// One swatch of a chart, filled with palette entry c and outlined in white;
// returns the pixel read back from inside it.
unsigned long
draw_swatch(int x, int y, int c)
{
    setfillstyle(0, c);
    bar(x, y, x + vgax(30), y + vgay(15));
    setcolor(white);
    rectangle(x, y, x + vgax(30), y + vgay(15));
    flush_display();
    return getpixel(x + vgax(15), y + vgay(8));
}

// The label of a swatch: its whole text where it fits room pixels, else
// the short one, cut where even that does not.
std::string
label_within(const std::string &whole, std::string brief, int room)
{
    if (text_width_in_use(whole.c_str()) <= room)
        return whole;
    while (!brief.empty() && text_width_in_use(brief.c_str()) > room)
        brief.pop_back();
    return brief;
}

// What a chart shows of entry i: the palette entry of its swatch, whether
// the swatch is framed, its whole label (with the pixel read back from the
// swatch) and its brief one.
struct chart_entries {
    int count;
    std::function<int(int)> colour;
    std::function<bool(int)> framed;
    std::function<std::string(int, unsigned long)> label;
    std::function<std::string(int)> brief;
};

// A chart on a cleared window, in columns from chart_top() down to above
// the rule box's place at the window's foot, as many columns as that takes
// across the window's width; right of each swatch its label, the whole one
// or, where that does not fit before the next column or the window's edge,
// the brief one. The menu is left back to a run, whose network view draws
// the rule box there over what the chart left, cutting labels under it.
void
draw_chart(const chart_entries &e)
{
    setviewport(0, 0, Maxx, WinMaxy, 1);
    clearviewport();
    setviewport(0, 0, Maxx, Maxy, 1);
    setcolor(white);
    // Rows a text line apart at least: on a short window the scaled pitch
    // is less than the font's height, and the labels would run together.
    const int top = chart_top(), pitch = std::max<int>(vgay(20), CHeight), left = vgax(5);
    const int above_rule_box = tallest_rule_box_top() - 1;
    int rows = 1;
    while (top + rows * pitch + vgay(10) + CHeight <= above_rule_box)
        rows++;
    const int columns = (e.count + rows - 1) / rows;
    const int column_width = (box_right_edge(Maxx) - left) / columns;
    const int room = column_width - vgax(35) - CWidth;
    for (int i = 0; i < e.count; i++) {
        int x = left + i / rows * column_width, y = top + i % rows * pitch;
        unsigned long shown = draw_swatch(x, y, e.colour(i));
        if (e.framed(i))
            rectangle(x - vgax(2), y - vgay(2), x + vgax(32), y + vgay(17));
        moveto(x + vgax(35), y + vgay(10));
        outtext(label_within(e.label(i, shown), e.brief(i), room).c_str());
    }
    setfillstyle(0, black);
    draw_bottom_title(0);
}
} // namespace

const char *
named_color_name(int i)
{
    return i >= 0 && i < kNamedColors ? kColorNames[i] : "";
}

void
set_old_colors(char background)
{
    if (background != 'w' && background != 'b')
        return;
    const uint8_t *indices = background == 'w' ? kOnWhite : kOnBlack;
    for (int i = 0; i < 16; i++) {
        *kOldColors[i] = indices[i];
        oldcolor[i] = indices[i];
    }
    // The colour numbers keep White at 0 and Black at 15 on both backgrounds:
    // on black the pairs that the background exchanges are put back.
    if (background == 'b') {
        constexpr int kSwapped[3][2] = {{0, 15}, {1, 14}, {2, 10}};
        for (const auto &pair : kSwapped) {
            uint8_t t = oldcolor[pair[0]];
            oldcolor[pair[0]] = oldcolor[pair[1]];
            oldcolor[pair[1]] = t;
        }
    }
}

bool
palette_rgb(int index, double rgb[3])
{
    if (!D || index < 0 || index >= kNamedColors)
        return false;
    XColor color_def;
    color_def.pixel = Color_Table[index];
    XQueryColor(D, default_cmap, &color_def);
    rgb[0] = color_def.red / 65535.0;
    rgb[1] = color_def.green / 65535.0;
    rgb[2] = color_def.blue / 65535.0;
    return true;
}

void
setup_colors()
{
    nowcolor = 0;
    set_old_colors(bground);
    default_cmap = DefaultColormap(D, S);
    unsigned long previous = 0;
    for (int i = 0; i < kNamedColors; i++) {
        XColor color_def;
        Color_Table[i] = static_cast<uint32_t>(previous);
        if (!XParseColor(D, default_cmap, kColorNames[i], &color_def)) {
            fputs("\n color absent\n", stdout);
            continue;
        }
        if (!XAllocColor(D, default_cmap, &color_def))
            continue;
        Color_Table[i] = static_cast<uint32_t>(color_def.pixel);
        previous = color_def.pixel;
    }
}


void
show_all_colors()
{
    draw_chart({kNamedColors, [](int i) { return i; },
                [](int i) {
                    for (uint8_t *old : kOldColors)
                        if (*old == i)
                            return true;
                    return false;
                },
                [](int i, unsigned long shown) {
                    return formatted("%d, %u, %lu, %s", i, Color_Table[i], shown, kColorNames[i]);
                },
                [](int i) { return formatted("%d, %s", i, kColorNames[i]); }});
}

void
show_old_colors()
{
    draw_chart({16, [](int i) { return static_cast<int>(oldcolor[i]); }, [](int) { return false; },
                [](int i, unsigned long shown) {
                    int c = oldcolor[i];
                    return formatted("%d: new=%d defno=%u getpix=%lu, %s, %s", i, c, Color_Table[c], shown,
                                     kOldColorNames[i], kColorNames[c]);
                },
                [](int i) { return formatted("%d: %s, %s", i, kOldColorNames[i], kColorNames[oldcolor[i]]); }});
}
