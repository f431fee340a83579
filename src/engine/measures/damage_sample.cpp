// The sample logic of damage statistics (damage_sample.h). Plain arithmetic
// on its record; no globals.
#include "engine/measures/damage_sample.h"

bool
damage_sample_step(damage_sample &s, uint32_t damage, uint32_t t, uint32_t delay,
                   uint32_t same_steps)
{
    if (damage == s.previous) {
        if (damage == 0)
            s.same_run = same_steps + 1; // healed: the sample is over once past the delay
        else if (t > delay)
            s.same_run++;
    } else {
        s.same_run = 0;
    }
    s.previous = damage;
    return s.same_run > same_steps && t > delay;
}

void
damage_sample_restart(damage_sample &s)
{
    s = damage_sample{};
}
