// What a one-key question in the status box left beside a two-line summary
// in the prompt box, read from the window while the question waits: the
// pixels where the question or its cursor do not belong.
#pragma once
#include <string>

struct status_prompt_marks {
    // -1 each when the window could not be read.
    int status_frame_broken = -1; // rows of the status box's right frame drawn over
    int between_boxes = -1;       // lit pixels in the gap between the two boxes
    int summary_frame_broken = -1; // rows of the summary box's left frame drawn over
    int summary_margin = -1;      // lit pixels just inside the summary box's frame

    // What was wrong, for a test's message ("" when nothing).
    std::string faults() const;
};

// Reads the window through the typing connection (call it from a look of
// ScreenTest::type_keys_looking, while the question waits).
status_prompt_marks look_beside_summary();
