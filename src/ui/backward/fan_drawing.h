// Drawing of one node's fan of pre-images in the basin or subtree layout.
#pragma once

// STAND-IN until the tree geometry is built: gives every entry of the fan
// just found (nextbefore+1 .. nextindex of the list being filled) the
// position of its parent, and draws nothing.
void draw_fan();
