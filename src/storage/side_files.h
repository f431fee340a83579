// Side files: the last rule, ASCII rule tables, successor tables, k-mix
// files and the glider rule lists.
#pragma once

// Reads the glider rule list of the network's (v, k) into glider_buf;
// count: the index of the list's last rule.
void load_glider_buf(int count);
