// The oblique frames of the 2d+time and 3d pictures: the base plane of a
// 2d+time frame or a 3d block (or the square grid of a scrolling 2d
// display), and the frame of the 3d lattice that editors draw once, save
// and put back under each picture of a 3d state.
#pragma once

// The image slot (boximage) that holds the saved 3d lattice frame.
constexpr int kLatticeFrameSlot = 17;

// The room above the top row of a 2d+time frame at the window's top, for
// cell size s: half a cell, since a disc cell is centred on its row's top
// corner.
int time_frame_margin(int s);
// The base plane grid and outline of a 2d+time or 3d frame, or the grid of
// a scrolling 2d display, at the pen's x and row y; the display mode
// (d_mode) chooses which. A 2d+time plane at the window's top (within its
// margin) of a display that does not scroll gets the outline of the whole
// page's stack of frames down to the lowest row the planes may take
// (window_frames_floor). The pen and colour are put back.
void draw_axon_plane(int s, int y);
// The frame of the i3d x j3d x h3d lattice at cell size s with its top
// left at (x, y): its plane drawn in the 3d view, and the region from
// (x, y) to (x + i3d*s + j3d*s*sin 45, y + j3d*s*sin 45 + h3d*s) saved in
// kLatticeFrameSlot, freeing what the slot held. The display mode is put
// back: drawing a frame does not change how runs are shown.
void draw_save_3d_frame(int s, int x, int y);
