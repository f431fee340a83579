// Screen images: the window saved to and loaded from run-length encoded
// *.nat files ('>' and '<' in any text entry).
#pragma once

void save_screen();
void load_screen();
