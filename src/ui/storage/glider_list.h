// Glider rule lists "g_v%dk%d.r_s" (rule tables) and "g_v%dk%d.r_v"
// (kcodes), read by the set-up for the glider stepping of forward runs; the
// layout is in engine/storage/side_file_codecs.h. A list saved without its
// v byte is one byte short and gets v = 2 put in front.
#pragma once

// Reads the list of the network's v and k (cell 0's k) into glider_buf,
// sized for count rules, and sets no_glider_rules[v][k] to the index of
// the last rule the file holds (0 when it holds less than one rule); the
// records actually read are in glider_read. A missing file is silent and
// leaves the preset count (glider_read has none); a damaged one (wrong v, a
// value of v or more) is reported and gives no rules.
void load_glider_buf(int count);
