// When a sample of a damage-statistics run ends. A sample is one random
// seed, doubled, with a cell flipped once the delay has passed; it ends when
// its damage has stopped changing: the same non-zero damage for more than
// `same_steps` steps after the delay, or the two halves healed (no damage in
// two steps running) once the delay has passed. Within the delay no sample
// ends. With same_steps 5 and delay 0 the damages 3 4 4 4 4 4 4 4 end the
// sample at the eighth step (the sixth in a row equal to the one before);
// 2 0 0 end it at the third.
#pragma once
#include <cstdint>

struct damage_sample {
    uint32_t previous = 0;  // the damage of the step before; 0 at a new sample
    uint32_t same_run = 0;  // consecutive steps with unchanged damage
};

// Takes the damage of step t of the sample (t counted from its seed) and
// returns whether the sample ends with it. The caller starts the next
// sample with damage_sample_restart.
bool damage_sample_step(damage_sample &s, uint32_t damage, uint32_t t, uint32_t delay,
                        uint32_t same_steps);
// The state of a new sample: no damage before, no run.
void damage_sample_restart(damage_sample &s);
