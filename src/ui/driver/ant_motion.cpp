// The motion of the ants demonstration (see ant_motion.h): pure arithmetic
// over the ant and its targets, so the drawing loop in ants.cpp only draws
// what this computes.
#include "ui/driver/ant_motion.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kPi = 3.1415927f;
constexpr float kSlowFrom = 1.3962634f, kSlowTo = 1.7453293f;  // 80 and 100 degrees

float *
target_array(int entries, const char *label)
{
    return static_cast<float *>(checked_calloc(static_cast<size_t>(entries), sizeof(float), label));
}

// Bearing of target i from the ant, [0, 2 pi), y up.
float
bearing(const ant_world &w, int i)
{
    return normal_angle(std::atan2(w.y - w.yt[i], w.xt[i] - w.x));
}

// The angle between a bearing and the heading, 0..pi.
float
angle_to_heading(float b, float theta)
{
    float d = std::fabs(b - theta);
    return d > kPi ? kTwoPi - d : d;
}

} // namespace

float
normal_angle(float a)
{
    if (a == kTwoPi)
        return 0;
    while (a > kTwoPi)
        a -= kTwoPi;
    while (a < 0)
        a += kTwoPi;
    return a;
}

void
allocate_ant_targets(ant_world &w)
{
    int entries = w.target_number + 1;
    w.xt = target_array(entries, "xt");
    w.yt = target_array(entries, "yt");
    w.distance = target_array(entries, "distance");
    w.angdiff = target_array(entries, "angdiff");
    w.heading = target_array(entries, "heading");
}

void
free_ant_targets(ant_world &w)
{
    for (float **a : {&w.xt, &w.yt, &w.distance, &w.angdiff, &w.heading}) {
        checked_free(*a);
        *a = nullptr;
    }
}

void
random_target_position(float *x, float *y, int margin_x, int margin_y)
{
    *x = static_cast<float>(margin_x + random() % (Maxx - vgax(40)));
    *y = static_cast<float>(margin_y + random() % (Maxy - vgay(40)));
}

void
place_ant_targets(ant_world &w)
{
    for (int i = 0; i <= w.target_number; i++)
        random_target_position(&w.xt[i], &w.yt[i], vgax(20), vgay(20));
    w.last = w.target_number;
}

bool
ant_speed_key(ant_world &w, int key)
{
    switch (key) {
    case '*':
        w.near_factor = 0.5f;
        w.long_factor = 0.75f;
        return true;
    case '+':
        if (w.factor_used < 2.0f) {
            w.near_factor *= 1.5f;
            w.long_factor *= 1.5f;
        }
        return true;
    case '-':
        w.near_factor *= 0.75f;
        w.long_factor *= 0.75f;
        return true;
    case '<':
        w.delay *= 2;
        if (w.delay > kAntDelayCap)
            w.delay = kAntDelayAfterCap;
        return true;
    case '>':
        w.delay /= 2;
        if (w.delay < 1)
            w.delay = 1;
        return true;
    default:
        return false;
    }
}

bool
remove_last_target(ant_world &w)
{
    if (w.last < 1)
        return false;
    w.last--;
    if (w.nearest > w.last)
        w.nearest = 0;
    return true;
}

bool
add_target(ant_world &w)
{
    if (w.last + 1 >= 16 || w.last + 1 >= w.target_number + 1)
        return false;
    w.last++;
    random_target_position(&w.xt[w.last], &w.yt[w.last], vgax(20), vgay(20));
    return true;
}

void
eat_target(ant_world &w, int i)
{
    for (int j = i; j < w.last; j++) {
        w.xt[j] = w.xt[j + 1];
        w.yt[j] = w.yt[j + 1];
        w.distance[j] = w.distance[j + 1];
        w.angdiff[j] = w.angdiff[j + 1];
        w.heading[j] = w.heading[j + 1];
    }
    w.last--;
}

void
ant_move(ant_world &w, float slow_radius, float *u, float *v)
{
    for (int i = 0; i <= w.last; i++) {
        float dx = std::fabs(std::trunc(w.x - w.xt[i])), dy = std::fabs(std::trunc(w.y - w.yt[i]));
        w.distance[i] = std::sqrt(dx * dx + dy * dy);
    }
    *u = std::cos(w.theta);
    *v = -std::sin(w.theta);
    // A target close by and across the path slows the ant down.
    for (int i = 0; i <= w.last; i++)
        if (w.distance[i] < slow_radius && w.angdiff[i] > kSlowFrom && w.angdiff[i] < kSlowTo) {
            float slowing = w.distance[i] / (w.angdiff[i] * 180 / kPi);
            *u *= slowing;
            *v *= slowing;
        }
    w.x += *u;
    w.y += *v;
    for (int i = 0; i <= w.last; i++) {
        w.heading[i] = bearing(w, i);
        w.angdiff[i] = angle_to_heading(w.heading[i], w.theta);
    }
    w.nearest = 0;
    for (int i = 1; i <= w.last; i++)
        if (w.distance[i] < w.distance[w.nearest])
            w.nearest = i;

    // Turn towards the nearest target, more slowly once the search is long.
    w.factor_used = w.steps < Maxu / 10 ? w.near_factor : w.long_factor;
    int n = w.nearest;
    float before = w.angdiff[n];
    float degrees = before * 180 / kPi, d = w.distance[n];
    // The turn is undefined straight at the target or one pixel away from it.
    if (degrees < 1e-3f || d <= 1.0f)
        return;
    float turn = w.factor_used * std::log(degrees) / std::log(d) * kPi / 180;
    w.theta = normal_angle(w.theta - turn);
    float after = angle_to_heading(w.heading[n], w.theta);
    if (after > before)
        w.theta = normal_angle(w.theta + 2 * turn);
    w.angdiff[n] = after;
}

void
ant_bounce(ant_world &w, int maxx, int maxy)
{
    if (w.x <= 1 || w.x >= maxx - 1)
        w.theta = 3 * kPi - w.theta;
    else if (w.y <= 1 || w.y >= maxy - 1)
        w.theta = kTwoPi - w.theta;
    w.theta = normal_angle(w.theta);
}
