// Fonts taken for a while: a scope that takes another font with its metrics
// (CWidth, CHeight) and gives the normal one back when it ends; and the font
// of a prompt box's lines, the medium font while a line would be wider than
// the prompt box in the normal one (long prompts on a window of a 1024-pixel
// screen), so that no line runs out of its box or past the window's edge,
// where its end would stay when the box is erased, and while a box of that
// many lines would reach down to the text column's first line, which runs
// on under the box's left part: a box drawn in the font's scope then stands
// above it.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>
#include <string>

class font_while {
public:
    // Takes the font set_font sets, with its metrics, when on is true.
    font_while(bool on, void (*set_font)());
    // When fits() is false in the font in use, takes the first of the
    // smaller fonts in which it is true, or the last of them when it is in
    // none; each set from the metrics of the font in use.
    font_while(const std::function<bool()> &fits, std::initializer_list<void (*)()> smaller);
    // The same for every line fitting room pixels.
    font_while(const std::vector<std::string> &lines, int room, std::initializer_list<void (*)()> smaller);
    // The normal font and its metrics back, when another was taken.
    ~font_while();
    font_while(const font_while &) = delete;
    font_while &operator=(const font_while &) = delete;

    // The line height of the font in use when the scope began.
    int16_t height_before() const { return height_; }

private:
    bool on_;
    int16_t width_, height_;
};

// The room the prompt box gives a line of text, in pixels.
int prompt_box_text_room();
// A prompt line as wide as it stands with an entry of `entry_chars`
// characters at its widest and the cursor after it, for prompt_font to
// measure.
std::string with_widest_entry(const std::string &prompt, int entry_chars);

class prompt_font : public font_while {
public:
    // Takes the medium font when one of the lines is wider than the prompt
    // box's text room in the font in use, or when a box of as many lines
    // would reach the text column's top.
    explicit prompt_font(const std::vector<std::string> &lines);
};
