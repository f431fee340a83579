// Screen regions kept as server pixmaps in image slots: saved under boxes,
// scrolled, or drawn off screen and copied in.
#pragma once
#include "ui/screen/globals.h"

void setup_images();           // every fixed slot empty
// Copies window rectangle (x0,y0)-(x1,y1) into a new pixmap in slot.
void getimage(int x0, int y0, int x1, int y1, image_slot *slot);
// Copies slot's whole pixmap to current_draw at (x, y); op is ignored.
void putimage(int x, int y, image_slot *slot, int op);
// Copies w x h of src at (sx, sy) into dst at (dx, dy); an empty dst first
// gets a new w x h pixmap.
void copy_part_image(image_slot *src, image_slot *dst, int sx, int sy, int dx,
                     int dy, int w, int h);
void freeimage(image_slot *slot); // frees the pixmap, empties the slot
void free_images();            // frees every fixed slot
