// The X connection and the server-side objects of the one window. Only the
// files of this folder include it; everything else draws through functions.
#pragma once
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "ui/screen/fonts.h"

extern Display *D;            // the display, opened once by open_graphics
extern int S;                 // default screen number
extern Window W;              // the one top-level window
extern GC Gc;                 // the one graphics context
extern XEvent Event;          // the last event taken from the queue
extern XRectangle viewport;   // the clip rectangle last set
extern Cursor leftCursor, rightCursor;
extern Colormap default_cmap;
extern Atom wm_delete_window; // the protocol a window manager's close asks by
// Set once the window was destroyed from outside (its DestroyNotify, or an X
// error about it); the next wait or poll ends the program.
extern bool window_destroyed;

// The eight fonts, each null when it did not load.
extern XFontStruct *nonpropfont, *mediumnonpropfont, *smallnonpropfont,
    *propfont, *mediumpropfont, *smallpropfont, *tempfont, *italicfont;
// The font of a use as loaded now; null when none is loaded.
XFontStruct *loaded_font(font_use f);
