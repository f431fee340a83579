// Unscrambling a layout of the open graph (globals.h): leaf nodes, those
// with a single unit of link weight to the rest of the graph, are set just
// outside their one neighbour as seen from the window's centre. Each pass
// makes fresh random choices (the side, the order, the jitters), so
// repeated passes keep rearranging.
#pragma once

// One pass over basin_pos about the centre (cx, cy), with cyclerad the
// circle radius of the layout (w_cyclerad):
// - a coin, random() % 2, chooses the side: 0 the weights from each node to
//   the others, 1 the weights into it from the others (self-links left out);
// - the nodes are taken in the order shuffle_order1 draws;
// - a node whose sum on that side is exactly 1 and which has not served as
//   an anchor moves next to its anchor, the first other node it links to
//   (or that links to it); the anchor is marked and never moves later in
//   the pass;
// - it goes to 0.15 cyclerad from the anchor in the anchor's direction
//   from the centre turned by j1 - j2, two jitters of (random() % 100) x
//   (pi / 6) / 100 each, drawn in that order; an anchor more than
//   1.5 cyclerad from the centre gets its leaf on the inner side.
// Does nothing without links. The work arrays are labelled "node_outputs",
// "node_inputs", "shuford" and "out_check" or "in_check".
void unscramble_graph(int cx, int cy, float cyclerad);
