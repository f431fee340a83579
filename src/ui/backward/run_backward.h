// The tree builder: the tree of pre-images rooted at firstseed, level by
// level, with its totals, the in-degree counts and the marking of placed
// states, by the pre-image method chosen for the tree.
#pragma once

// Builds the tree of firstseed (direction_forward: a basin tree on the
// attractor att; direction_backward: a subtree). Afterwards treesize, gofEno, level (the depth),
// tree_max_fan, maxtreefan and maxtreelevel hold, and is[0] holds 'q' after
// an abandoned tree, 'q' or 'n' when the user stopped it.
void run_backward();
