// Immediate-mode drawing over the one graphics context: a current point, a
// current colour, a fill colour and one clip rectangle (the viewport). All
// coordinates are window pixels; everything but text goes to current_draw.
#pragma once
#include <cstdint>

void moveto(int x, int y);
void moverel(int dx, int dy);
void setcolor(int c);          // foreground := colour index c
int getcolor();
void setfillstyle(int style, int c); // 0 solid, 2 stippled; fill colour c
int getfillstyle();            // the style setfillstyle last set
// Clip rectangle (x0,y0)-(x1,y1) inclusive; clip is accepted and ignored.
void setviewport(int x0, int y0, int x1, int y1, int clip);
void clearviewport();          // fills the viewport with the background

void lineto(int x, int y);
void linerel(int dx, int dy);
void putpixel(int x, int y, int c);
void bar(int x0, int y0, int x1, int y1);          // filled, inclusive
void bar3d(int x0, int y0, int x1, int y1, int depth, int top); // bar + outline
void rectangle(int x0, int y0, int x1, int y1);    // outline, current colour
void fillpoly(int n, const int *points);           // n (x, y) pairs, convex
void pieslice(int x, int y, int start, int end, int r); // disc of radius r
// Circle outline in the current colour, bounding box corner (x, y).
void draw_circle(int x, int y, int diameter);
// setcolor(c), then draw_circle: the one call a drawing of many small
// circles in changing colours makes for each (the spots of a field).
void draw_circle_in(int x, int y, int diameter, int c);
// n lines in one request, in the current colour: xy holds x0 y0 x1 y1 per
// line.
void draw_segments(const int16_t *xy, int n);
unsigned long getpixel(int x, int y);              // pixel value of the window

// Text on the window, top of the line at gety; getx advances by the drawn
// width, measured in the font in use. A text that would run past the last
// column left of the right-hand boxes' frame (box_right_edge) is cut there
// and ended in "..." (text_within), short of that column by the room of an
// answer of outtext_answer_keys keys and its cursor: on a narrow window no
// prompt line, nor its answer, crosses a box's frame or the window's edge.
void outtext(const char *s);
// The keys of the answer a prompt written now is followed by: one, or a
// question's entry while its prompt is written (question_table.h).
extern int outtext_answer_keys;
void myouttext(const char *s);
int textwidth(const char *s);  // strlen * CWidth
int textheight();              // CHeight
// Width in pixels of s in the normal font (propfont once it is set), as
// outtext advances while no other font is taken.
int text_pixel_width(const char *s, int len);

// Makes sure everything drawn has reached the server.
void flush_display();

// Writes s to standard error.
void print_out(const char *s);
// Size in bytes of the open file fd.
uint32_t filelength(int fd);
