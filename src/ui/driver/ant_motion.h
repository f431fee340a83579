// The ants demonstration's world without its drawing: the targets, the ant's
// position and heading, its steering towards the nearest target, eating,
// bouncing off the edges, and the keys that change speed, turning and the
// number of targets.
#pragma once
#include <cstdint>

struct ant_world {
    // Targets 0..last are live; the arrays hold target_number + 1 entries.
    float *xt = nullptr, *yt = nullptr, *distance = nullptr, *angdiff = nullptr,
          *heading = nullptr;
    int target_number = 15;
    int last = -1;
    float x = 0, y = 0;        // the ant, in pixels
    float theta = 0;           // heading, radians anticlockwise with y up
    float near_factor = 0.5f, long_factor = 0.75f;
    float factor_used = 0.5f;  // the turn factor of the last step
    uint16_t steps = 0;        // steps since the last restart or meal
    uint32_t delay = 32767;    // wait per step
    int nearest = 0;
};

constexpr uint32_t kAntDelayCap = 16777214, kAntDelayAfterCap = 16647160;

// The target arrays for the world's target number (labels "xt" ...).
void allocate_ant_targets(ant_world &w);
void free_ant_targets(ant_world &w);
// Every target at a random place in the drawing area; all live.
void place_ant_targets(ant_world &w);
// One random target position (margin m pixels from the left and top).
void random_target_position(float *x, float *y, int margin_x, int margin_y);
// '*', '+', '-', '<', '>': turn factors and speed. True when the key was one.
bool ant_speed_key(ant_world &w, int key);
// 'd': drops the highest live target when more than one is live.
bool remove_last_target(ant_world &w);
// 'i': a new target when fewer than 16 and fewer than target_number + 1 live.
bool add_target(ant_world &w);
// Removes target i, moving the later ones down.
void eat_target(ant_world &w, int i);

// One step's motion: distances, the slowed move, bearings, the nearest
// target and the turn towards it. Returns the direction (u, w) moved.
void ant_move(ant_world &w, float slow_radius, float *u, float *v);
// Bounces the heading off the edges of the area (0..maxx, 0..maxy).
void ant_bounce(ant_world &w, int maxx, int maxy);
// The heading brought into [0, 2 pi).
float normal_angle(float a);
