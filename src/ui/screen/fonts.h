// The eight core X fonts sized from the window (or the user's point size),
// and the switches between the normal, medium and small text.
#pragma once
#include <cstdint>

// Point size chosen for a window whose last column is maxx.
int16_t automatic_point_size(int16_t maxx);
void setup_fonts(int size);    // size <= 0: automatic; loads all eight fonts
void free_fonts();
// Drops the fonts held from an earlier connection without a request: a new
// connection must not close them, as the server lets any client close any
// font by its id (a forked child closing its parent's fonts leaves the
// parent's GC naming fonts that are gone). Called as a connection opens.
void forget_fonts();
void set_small_font();         // small font; CHeight, CWidth scaled by 0.6
void set_medium_font();        // medium font; scaled by 0.8
// The label font of trees (tempfont) on the GC; metrics left to the caller.
void set_temp_font();
void restore_def_font();       // propfont again; metrics left to the caller
void set_italic_font();
// Loads the node label font by its X name into tempfont, in place of the
// one before; a font the server lacks leaves tempfont empty.
void load_label_font(const char *name);        // italic title font; metrics unchanged

// Which of the fonts text is drawn in now, as the switches above set it.
// The fixed-width (courier) ones, normal, medium and small, set the
// columns of tables; the others are the proportional text.
enum font_use : uint8_t {
    font_normal,
    font_small,
    font_medium,
    font_label,
    font_italic,
    font_fixed,
    font_fixed_medium,
    font_fixed_small,
};
font_use font_in_use();
// The baseline of a line of text whose top is at row top: outtext writes a
// line's glyphs on it, so that a line's ink keeps within its CHeight rows
// but for a descender's tail.
int line_baseline(int top);
// The rows the printable characters of the font in use ink on a line whose
// top is at row top, above its baseline and below it (the line's CHeight
// rows without the font). In the normal and medium fonts the glyphs of the
// lines CHeight above and below stay out of them, so that clearing them
// cuts neither; the small font's glyphs are taller than its line step.
void line_ink_rows(int top, int &first, int &last);
// Pixel width of a text in the font in use (CWidth a character without it).
int text_width_in_use(const char *s);
// Pixel height of a line in the font in use, ascent and descent (CHeight
// without it).
int text_height_in_use();
// Rows the glyphs of s reach from the highest to the lowest in the font in
// use (CHeight without it): the least step between lines of such text that
// keeps them apart.
int text_ink_height_in_use(const char *s);
// Rows the glyphs of s reach above their baseline and below it in the font
// in use (line_baseline(0) and 2 without it).
void text_ink_in_use(const char *s, int &above, int &below);
// The same in the font f, as loaded now.
void text_ink_in(font_use f, const char *s, int &above, int &below);
// Columns the glyphs of s drawn from x reach in the font in use, from
// x + left to x + right - 1 (a glyph's serif may lie left of x or past its
// advance; without the font, the character cells).
void text_ink_columns_in_use(const char *s, int &left, int &right);
// Rows the glyphs of s reach above their baseline and below it in the
// normal text font (the set-up's text column is written in it).
void normal_text_ink(const char *s, int &above, int &below);
// Puts that font, as loaded now, on the GC; metrics left to the caller.
void use_font(font_use f);
// While it lives, glyphs are drawn and measured in the font it was given
// (use_font); the line metrics stay the caller's. The font in use before
// comes back when it ends.
class glyph_font {
public:
    explicit glyph_font(font_use f) : before_(font_in_use()) { use_font(f); }
    ~glyph_font() { use_font(before_); }
    glyph_font(const glyph_font &) = delete;
    glyph_font &operator=(const glyph_font &) = delete;

private:
    font_use before_;
};
