// Network files: single rules, wiring, rule schemes, wiring with rule
// schemes and seeds, loaded and saved through one routine.
#pragma once
#include <cstdint>

// mode 'l' load or 's' save; buffer: the caller's rule, code or state line;
// what: the file kind (1 wiring only). Save gives 's'; load the file's k;
// 0 with 'q' in is[0] when backed out; 255 when the file was refused.
uint8_t load_save_wrs(int mode, uint8_t *buffer, int what);
