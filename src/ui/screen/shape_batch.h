// Shapes gathered by colour and sent a few requests at a time. A drawing of
// many small shapes in changing colours (the trees of a basin field: an
// edge list and a spot per node, the colours cycling node by node) would
// cost a colour change and a request or two per node; while a batch is open
// draw_segments, draw_circle, putpixel and bar on the window gather their shapes
// in layers of one colour each instead, and setcolor leaves the server's
// colour alone. The picture stays the same to the pixel: a shape joins the
// lowest layer of its colour that lies at or above every layer holding a
// shape it may share a pixel with (else it opens a layer of its own above
// the others), and the layers go out in order. Every other primitive sends the
// gathered shapes first (send_gathered_shapes), so whatever it draws lands
// on top as before. Start at gather_shape in shape_batch.cpp.
#pragma once
#include <cstdint>

// Opens a batch on the window (nothing happens while batches are turned
// off); the caller closes it.
void open_shape_batch();
// Sends what was gathered and ends the batch.
void close_shape_batch();
// Sends what was gathered and puts the server's colour back to the current
// colour: called by every primitive before it sends a request of its own,
// and by a drawing before anything must be seen (a key poll).
void send_gathered_shapes();
// Turns batches on (the default) or off; off, every shape is sent at once.
// For comparing the batched picture with the unbatched one.
void enable_shape_batches(bool on);

// Hooks of the primitives (draw.cpp). Each returns true when the shape was
// gathered; false when no batch is open or the shape cannot be gathered
// (gathered shapes are sent then, so the caller sends its own at once).
bool gather_segments(const int16_t *xy, int n, int colour);
bool gather_circle(int x, int y, int diameter, int colour);
bool gather_point(int x, int y, int colour);
// A filled rectangle, corners (x0, y0) top left and (x1, y1) bottom right
// inclusive, gathered only while the fill style is solid.
bool gather_fill(int x0, int y0, int x1, int y1, int colour);
// True (and the server's colour marked stale) while a batch is open:
// setcolor then need not change the server's colour.
bool defer_foreground();
// Called before the fill style changes: sends the gathered shapes when the
// server's style is to change under them.
void before_fill_style(int style);
