// How the loaders of storage/ show that they refuse a file: the message and
// one key, at the current point or in a one-line prompt box. Without a
// window (tests, batch use) the message goes to standard error instead.
#pragma once

enum class refusal_place {
    at_point,    // written where the current point is
    box_kept,    // in a one-line prompt box left on the screen
    box_erased,  // in a one-line prompt box erased after the key
};

// Shows text, waits for one key (an empty numeric entry) and restores the
// current point.
void show_refusal(const char *text, refusal_place where);
