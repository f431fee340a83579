// ASCII rule tables (*.tbl) loaded and saved through the name dialog; the
// layout (the digit of v, then one digit per entry) is in
// engine/storage/side_file_codecs.h. Serves rule tables, tcodes and kcodes.
#pragma once
#include <cstdint>

// mode 'l' or 's' through the name dialog; table holds entries 0..last;
// the third argument is not used. Returns the file's length after a load,
// 0 otherwise ('q' in is[0] when backed out or refused).
uint16_t load_ascii_rule_table(int mode, uint8_t *table, int unused, int last);

// The same on a chosen name. A load is refused, table unchanged, unless
// the file holds at least last + 2 bytes, starts with the digit of v and
// every entry is a digit below v.
uint16_t load_ascii_table_file(const char *name, uint8_t *table, int last);
bool save_ascii_table_file(const char *name, const uint8_t *table, int last);
