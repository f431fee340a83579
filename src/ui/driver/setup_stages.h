// The staged set-up that follows the first screen: value range, size,
// neighbourhood, wiring, rules and network view, then the runs.
#pragma once

// Runs the set-up from the value-range stage; returns when the user steps
// back out of it, with 'q' in is[0].
void run_setup_stages();
