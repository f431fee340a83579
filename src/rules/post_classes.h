// Post classes of a rule table.
#pragma once
#include <cstdint>

// mode 0: 1 when the rule passes the Post class test selected by the
// settings, else 0, writing nothing. mode 2 with flag 1: writes the labels
// of the classes the rule satisfies at the current point.
int post_func(int k, const uint8_t *rule, int mode, int flag, int a, int b);
