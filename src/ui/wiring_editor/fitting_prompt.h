// Text of the wiring editors that keeps inside its room: the small font
// for as long as a drawing needs it, and a prompt box of given lines that
// writes them all in the small font, at the box's own line pitch, when one
// is wider than the box.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The small font while an object of this lives, when small is true; the
// normal font and its metrics (CWidth, CHeight) come back after it.
class small_font_while {
public:
    explicit small_font_while(bool small);
    ~small_font_while();
    small_font_while(const small_font_while &) = delete;
    small_font_while &operator=(const small_font_while &) = delete;

private:
    bool small_;
    int16_t width_, height_;
};

// Draws a prompt box of lines.size() lines and writes them in white; the
// current point is left after the last line (in the normal font's
// metrics again) and the drawing colour is put back.
void draw_fitting_prompt(const std::vector<std::string> &lines);
