// The palette of 53 named X colours and the sixteen old colours that name
// entries of it by background; two charts of them for the settings menu.
#pragma once
#include <cstdint>

// Palette positions of the named colours.
enum named_color : uint8_t {
    White, Black, Yellow, Gold, Khaki, Wheat, Tan, Goldenred, Orange, Coral,
    Salmon, Red, Orange_Red, Indian_Red, Firebrick, Brown, Sienna, Maroon,
    Medium_Violet_Red, Violet_Red, Pink, Green, Spring_Green,
    Medium_Spring_Green, Green_Yellow, Pale_Green, Yellow_Green, Lime_Green,
    Medium_Sea_Green, Sea_Green, Forest_Green, Olive_Drab, Dark_Olive_Green,
    Dark_Green, Cadet_Blue, Medium_Aquamarine, Dark_Turquoise, Turquoise,
    Aquamarine, Cyan, Blue, Medium_Blue, Medium_Slate_Blue, Cornflower_Blue,
    Sky_Blue, Light_Blue, Light_Steel_Blue, Steel_Blue, Dark_Slate_Blue, Navy,
    Navy_Blue, Midnight_Blue, Ghost_White
};

// The X name of palette entry i.
const char *named_color_name(int i);
// Sets black .. white and oldcolor for background 'b' or 'w'; any other
// letter leaves them as they were.
void set_old_colors(char background);
// The red, green and blue of palette entry index as fractions 0..1, as the
// colour map holds them; false without a display or for an index outside
// the palette.
bool palette_rgb(int index, double rgb[3]);
// Allocates the palette and sets the old colours for bground.
void setup_colors();
void show_all_colors();
void show_old_colors();
