// The frames a resize's redraw draws again (window_record.cpp), and the room
// each leaves the lines written inside it at the new size: a line that fitted
// inside a box's frame is cut to fit inside it again, as the box's owner cuts
// a line that does not fit (text_line.h), since the box may have narrowed
// more than its font.
#pragma once
#include <string>
#include <vector>

#include "ui/screen/fonts.h"

class redraw_frames {
public:
    // A frame drawn with corners (x0, y0)-(x1, y1) at the old size, whose
    // right side the redraw draws at column new_x1.
    void add(float x0, float y0, float x1, float y1, float new_x1);
    // The column a text drawn from (x, y) to the point end at the old size
    // ends at, at the latest, at the new size: inside the innermost frame
    // around its start that it fitted in, as far from its right side as it
    // was (three pixels at most). Negative where no frame holds it.
    float limit(float x, float y, float end) const;

private:
    struct frame {
        float x0, y0, x1, y1, new_x1;
    };
    std::vector<frame> frames_;
};

// The longest start of text that fits room pixels in the font f with "..."
// after it (text_within), cut after a word where the text has blanks, so
// that no word shows in part.
std::string text_cut_to(const std::string &text, font_use f, int room);
