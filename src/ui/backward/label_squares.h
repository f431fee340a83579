// The boxes of the labels written on a basin field, indexed by the squares
// of the window they meet, so that the labels a basin's drawing reaches are
// found among those of the squares it reaches, not by walking every label
// of the field once a basin.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/backward/fan_drawing.h"

// No box is held; the squares cover a window of width x height pixels.
void forget_label_squares(int width, int height);
// Holds box (not empty) as the one numbered index.
void add_label_square_box(uint32_t index, const drawn_box &box);
// The numbers of the held boxes that meet area, ascending, each once.
void label_boxes_meeting(const drawn_box &area, std::vector<uint32_t> &met);
