// The ants demonstration of the first screen.
#pragma once

// Runs the demonstration until the user quits from its prompt.
void new_ant();
// Its title strip with the key help.
void draw_bottom_title_ants();
