// Side files: the k-mix file of the network.
#pragma once
#include <cstdint>

// mode 'l' load, 'L' length only, 's' save the k-mix (nhoodm) as a "*.mix"
// file; returns the file's length after 'l' or 'L', 0 after 'q' or a failed
// open (with 'q' in is[0]).
uint16_t load_save_nhoodmix(int mode);
