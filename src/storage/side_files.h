// Side files: the last rule, ASCII rule tables, successor tables, k-mix
// files and the glider rule lists.
#pragma once
#include <cstdint>

// mode 'l' load, 'L' length only, 's' save the k-mix (nhoodm) as a "*.mix"
// file; returns the file's length after 'l' or 'L', 0 after 'q' or a failed
// open (with 'q' in is[0]).
uint16_t load_save_nhoodmix(int mode);

// Reads the glider rule list of the network's (v, k) into glider_buf;
// count: the index of the list's last rule.
void load_glider_buf(int count);
