// Shared state of the screen and input layer that other folders read: the
// window's size, the drawing state, fonts metrics, colour indices, image
// slots, the text buffers and the input line. The X connection itself lives
// in x_state.h, which only this folder includes.
#pragma once
#include <cstdint>

// An image slot holds one X drawable id (a pixmap, or the window in
// current_draw), or 0 when empty. Image operations take a slot's address.
typedef unsigned long image_slot;

// Window geometry, in pixels; set by open_graphics and resize_window.
extern int16_t Maxx;          // last column (width - 1)
extern int16_t WinMaxy;       // last row (height - 1)
extern int16_t Maxy;          // last row of the drawing area; below it the title strip
extern int16_t startMaxx, startWinMaxy; // Maxx and WinMaxy as first opened

// Drawing state (one of each).
extern int16_t getx, gety;    // current point; for text gety is the top of the line
extern uint8_t nowcolor;      // colour index set as the foreground
extern uint8_t fillcolor;     // colour index of filled shapes
extern int16_t view_x0, view_y0, view_x1, view_y1; // the viewport's corners
extern char bground;          // 'b' black background (default), 'w' white
extern uint8_t mouse_found;   // 1 once the window is open
extern uint16_t screen_depth; // depth of the window and of every pixmap

// Fonts (fonts.cpp).
extern int16_t pointsize;     // current point size
extern uint8_t new_weight;    // 1 medium, otherwise bold; 2 at start-up
constexpr uint8_t font_weight_medium = 1, font_weight_bold = 2;
extern int16_t CHeight, CWidth; // line height and character width of text layout
extern uint8_t CHeight_changed; // 1 once the user fixed the line space
extern uint8_t fonttype;      // 1 once propfont is on the GC

// Colours (colors.cpp): pixel values of the 53 named colours, the sixteen old
// colours as indices into them (set by background) and the 16-entry map.
constexpr int kNamedColors = 53;
extern uint32_t Color_Table[kNamedColors];
extern uint8_t black, blue, green, cyan, red, magenta, brown, lightgray,
    darkgray, lightblue, lightgreen, lightcyan, lightred, lightmagenta, yellow,
    white;
extern uint8_t oldcolor[16];

// Image slots (images.cpp); all empty until filled by their owners.
// boximage: 1 the options box, 19 the hint box and value colour key,
// 29 the exit box; the other slots belong to the boxes of other folders.
// boximage_prompt: prompt boxes saved around temporary prompts.
extern image_slot boximage[30];
extern image_slot boximage_prompt[15];
extern image_slot stpimage;    // scrolling space-time pattern of forward runs
extern image_slot statblock;   // saved statistics block of forward runs
extern int16_t msize;           // side of the state-space matrix box: vgax(200), set at start-up
extern image_slot current_draw; // drawable of lines, bars, pixels, polygons

// Text buffers (allocate_mem_buffers at start-up, freed at the clean exit).
extern char **textb;          // 7 scratch lines: textb[0] 150 bytes, others 80
constexpr int kInputLineSize = 1024;
extern char *is;              // the input line; is[0] is the key callers test

// Input state (input.cpp).
extern char button;           // what ended the last wait: 'l', 'r', 'k', 'm' (a probe's motion) or 0
extern int16_t mouse_x, mouse_y; // pointer position of the last motion or press
extern uint8_t inside_rect;   // 1 while the pointer is in the wait's rectangle
extern uint8_t button_not_rel; // cleared by each wait; drag logic sets it
extern uint32_t kCursorFlash; // blink half period factor: half period ms = /500
extern uint32_t defCursorFlash; // start-up value of kCursorFlash (200137)

// Text column (boxes.cpp): left margin in character widths.
extern float xtext;

// Key codes of the arrow keys as keycheck returns them.
constexpr int kKeyLeft = -75, kKeyUp = -72, kKeyRight = -77, kKeyDown = -80;
constexpr int kKeyReturn = 13, kKeyErase = 8;

// Per-run reset, called by the run part at the start of each run; it resets nothing: every global
// here belongs to the window, its fonts, colours and input, for the program's lifetime.
void reset_screen_run();
// Puts the pen position, the pointer's state, the cursor's blink and the
// background letter back to their start values and empties the typed answer
// `is`; what belongs to the open window is kept.
void restore_screen_start_values();
