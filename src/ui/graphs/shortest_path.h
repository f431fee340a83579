// The shortest paths of the graph window: the share of pairs of nodes that
// a path joins and the paths' mean length, computed by
// engine/graphs/shortest_paths.h and shown in a two-line box in the prompt
// area until a key.
#pragma once

// The paths of the open graph ('p' along links, 'd' either way), their
// summary line and "cont-ret:" in the prompt area, and a wait for a key;
// the area is left cleared to the menu's saved background.
void shortest_path(char mode);
// The graph window's 'p': asks which paths, "p" or "d" run shortest_path,
// any other key nothing.
void shortest_path_dialog();
