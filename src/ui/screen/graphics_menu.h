// The graphics settings menu: font size, window size, background, blink.
#pragma once

void revise_graphics();
// Lines the menu's prompt box takes at the window's size and fonts (its
// lines broken to the box's width): the colour charts start below it.
int graphics_menu_lines();
