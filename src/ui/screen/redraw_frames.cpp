// The frames a resize's redraw draws again and the room they leave the
// lines inside them (redraw_frames.h).
#include "ui/screen/redraw_frames.h"

#include <algorithm>

#include "ui/screen/text_line.h"

namespace {

// The widest margin kept between a cut line and its frame: a prompt box's
// room ends this far inside its right side.
constexpr float kFrameMargin = 3.0f;

} // namespace

void
redraw_frames::add(float x0, float y0, float x1, float y1, float new_x1)
{
    frames_.push_back({std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), new_x1});
}

float
redraw_frames::limit(float x, float y, float end) const
{
    const frame *inner = nullptr;
    for (const frame &f : frames_)
        if (f.x0 < x && x < f.x1 && f.y0 < y && y < f.y1 && end < f.x1 && (!inner || f.x1 - f.x0 < inner->x1 - inner->x0))
            inner = &f;
    if (!inner)
        return -1.0f;
    return inner->new_x1 - std::min(kFrameMargin, inner->x1 - end);
}

std::string
text_cut_to(const std::string &text, font_use f, int room)
{
    std::vector<size_t> words;
    for (size_t i = 1; i < text.size(); i++)
        if (text[i] == ' ' && text[i - 1] != ' ')
            words.push_back(i);
    glyph_font font(f);
    return text_within(text, room, words);
}
