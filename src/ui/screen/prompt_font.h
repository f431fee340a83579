// The font of a prompt box's lines: the medium font while a line would be
// wider than the prompt box in the normal one (long prompts on a window of
// a 1024-pixel screen), so that no line runs out of its box or past the
// window's edge, where its end would stay when the box is erased.
#pragma once
#include <cstdint>
#include <vector>
#include <string>

class prompt_font {
public:
    // Takes the medium font, with its metrics, when one of the lines is
    // wider than the prompt box's text room in the font in use.
    explicit prompt_font(const std::vector<std::string> &lines);
    // The normal font and its metrics back, when the medium one was taken.
    ~prompt_font();
    prompt_font(const prompt_font &) = delete;
    prompt_font &operator=(const prompt_font &) = delete;

private:
    int16_t width_, height_;
    bool medium_ = false;
};
