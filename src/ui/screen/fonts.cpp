// The eight core X fonts, loaded by pattern at one point size: courier for
// fixed-width text (its cell gives CHeight and CWidth, the steps of every text
// layout) and times for the normal, medium, small, label and italic text.
#include "ui/screen/fonts.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/screen/globals.h"
#include "ui/screen/x_state.h"

namespace {

// Loads one font by its pattern, reporting a failure under the font's name.
XFontStruct *
load_font(const char *label, const char *pattern)
{
    XFontStruct *font = XLoadQueryFont(D, pattern);
    if (!font)
        fprintf(stderr, "\n cant load %s %s\n", label, pattern);
    return font;
}

// The font on the GC, as the last switch or load put it there.
font_use current_use = font_normal;

void
free_font(XFontStruct *&font)
{
    if (font)
        XFreeFont(D, font);
    font = nullptr;
}

// Frees only the client's copy of the font's description.
void
forget_font(XFontStruct *&font)
{
    if (font)
        XFreeFontInfo(nullptr, font, 1);
    font = nullptr;
}

// Every font global, for what is done to all of them.
XFontStruct **const all_fonts[] = {&nonpropfont, &mediumnonpropfont, &smallnonpropfont,
                                   &propfont,    &mediumpropfont,    &smallpropfont,
                                   &tempfont,    &italicfont};

} // namespace

int16_t
automatic_point_size(int16_t maxx)
{
    float width = static_cast<float>(maxx + 1);
    int size = static_cast<int>(std::ceil(static_cast<double>(width) * 14.0 / 1024.0));
    if (maxx + 1 <= 925 && size % 2 == 1)
        size++;
    if (size <= 8)
        size = 8;
    return static_cast<int16_t>(size);
}

void
setup_fonts(int size)
{
    free_fonts();
    pointsize = size > 0 ? static_cast<int16_t>(size) : automatic_point_size(Maxx);
    const char *weight = new_weight == font_weight_medium ? "medium" : "bold";
    char name[128];

    snprintf(name, sizeof name, "-adobe-courier-%s-r-*-*-0-%d-*-*-*-0-*-*", weight,
             10 * pointsize);
    nonpropfont = load_font("nonpropfont", name);
    snprintf(name, sizeof name, "-adobe-courier-medium-r-*-*-0-%d-*-*-*-0-*-*",
             9 * pointsize);
    mediumnonpropfont = load_font("mediumnonpropfont", name);
    snprintf(name, sizeof name, "-adobe-courier-medium-r-*-*-0-%d-*-*-*-0-*-*",
             6 * pointsize);
    smallnonpropfont = load_font("smallnonpropfont", name);

    if (nonpropfont) {
        XSetFont(D, Gc, nonpropfont->fid);
        if (!CHeight_changed) {
            CHeight = static_cast<int16_t>(nonpropfont->ascent + nonpropfont->descent);
            CWidth = nonpropfont->max_bounds.width;
        }
    } else {
        fprintf(stderr, "non-proportional font not found\n");
        if (!CHeight_changed) {
            CHeight = 11;
            CWidth = 6;
        }
    }

    snprintf(name, sizeof name, "-*-times-%s-r-*-*-*-%d-*-*-*-*-*-*", weight,
             10 * pointsize);
    propfont = load_font("propfont", name);
    snprintf(name, sizeof name, "-*-times-medium-r-*-*-*-%d-*-*-*-*-*-*", 9 * pointsize);
    mediumpropfont = load_font("mediumpropfont", name);
    snprintf(name, sizeof name, "-*-times-medium-r-*-*-*-%d-*-*-*-*-*-*", 6 * pointsize);
    smallpropfont = load_font("smallpropfont", name);
    snprintf(name, sizeof name, "-*-times-medium-r-*-*-*-%d-*-*-*-*-*-*", 8 * pointsize);
    tempfont = load_font("tempfont", name);

    current_use = font_normal;
    if (propfont) {
        XSetFont(D, Gc, propfont->fid);
        fonttype = 1;
    } else {
        fputs("selected proportional font not found", stdout);
        fonttype = 0;
    }

    snprintf(name, sizeof name, "-*-times-%s-i-*-*-*-%d-*-*-*-*-*-*", weight,
             10 * pointsize);
    italicfont = load_font("italicfont", name);
}

void
load_label_font(const char *name)
{
    free_font(tempfont);
    tempfont = load_font("tempfont", name);
}

void
free_fonts()
{
    for (XFontStruct **font : all_fonts)
        free_font(*font);
}

void
forget_fonts()
{
    for (XFontStruct **font : all_fonts)
        forget_font(*font);
}

void
set_small_font()
{
    use_font(font_small);
    CHeight = static_cast<int16_t>(CHeight * 0.6);
    CWidth = static_cast<int16_t>(CWidth * 0.6);
}

void
set_temp_font()
{
    use_font(font_label);
}

void
set_medium_font()
{
    use_font(font_medium);
    CHeight = static_cast<int16_t>(CHeight * 0.8);
    CWidth = static_cast<int16_t>(CWidth * 0.8);
}

void
restore_def_font()
{
    use_font(font_normal);
}

void
set_italic_font()
{
    use_font(font_italic);
}

int
line_baseline(int top)
{
    return top + CHeight - 2;
}

void
line_ink_rows(int top, int &first, int &last)
{
    // Every printable character: what any text of the line may ink.
    static const std::string printable = [] {
        std::string s;
        for (char c = ' '; c <= '~'; c++)
            s += c;
        return s;
    }();
    int above = 0, below = 0;
    text_ink_in_use(printable.c_str(), above, below);
    first = line_baseline(top) - above;
    last = line_baseline(top) + below - 1;
}

font_use
font_in_use()
{
    return current_use;
}

XFontStruct *
loaded_font(font_use f)
{
    switch (f) {
    case font_normal:
        // Without the proportional font setup_fonts left the fixed one on.
        return propfont ? propfont : nonpropfont;
    case font_small:
        return smallpropfont;
    case font_medium:
        return mediumpropfont;
    case font_label:
        return tempfont;
    case font_italic:
        return italicfont;
    case font_fixed:
        return nonpropfont;
    case font_fixed_medium:
        return mediumnonpropfont;
    case font_fixed_small:
        return smallnonpropfont;
    }
    return nullptr;
}

int
text_width_in_use(const char *s)
{
    XFontStruct *font = loaded_font(current_use);
    int len = static_cast<int>(strlen(s));
    return font ? XTextWidth(font, s, len) : len * CWidth;
}

int
text_height_in_use()
{
    XFontStruct *font = loaded_font(current_use);
    return font ? font->ascent + font->descent : CHeight;
}

namespace {

// The ink of s in the font f: rows above the baseline and below it.
bool
ink_of(font_use f, const char *s, int &above, int &below)
{
    XFontStruct *font = loaded_font(f);
    if (!font)
        return false;
    int direction = 0, ascent = 0, descent = 0;
    XCharStruct overall{};
    XTextExtents(font, s, static_cast<int>(strlen(s)), &direction, &ascent, &descent, &overall);
    above = overall.ascent;
    below = overall.descent;
    return true;
}

} // namespace

int
text_ink_height_in_use(const char *s)
{
    int above = 0, below = 0;
    return ink_of(current_use, s, above, below) ? above + below : CHeight;
}

void
text_ink_in_use(const char *s, int &above, int &below)
{
    text_ink_in(current_use, s, above, below);
}

void
text_ink_in(font_use f, const char *s, int &above, int &below)
{
    if (!ink_of(f, s, above, below)) {
        above = line_baseline(0);
        below = 2;
    }
}

void
text_ink_columns_in_use(const char *s, int &left, int &right)
{
    XFontStruct *font = loaded_font(current_use);
    if (!font) {
        left = 0;
        right = static_cast<int>(strlen(s)) * CWidth;
        return;
    }
    int direction = 0, ascent = 0, descent = 0;
    XCharStruct overall{};
    XTextExtents(font, s, static_cast<int>(strlen(s)), &direction, &ascent, &descent, &overall);
    left = overall.lbearing;
    right = overall.rbearing;
}

void
normal_text_ink(const char *s, int &above, int &below)
{
    text_ink_in(font_normal, s, above, below);
}

void
use_font(font_use f)
{
    XFontStruct *font = loaded_font(f);
    if (font)
        XSetFont(D, Gc, font->fid);
    current_use = f;
}
