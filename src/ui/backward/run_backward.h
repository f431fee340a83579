// The tree builder: the tree of pre-images rooted at firstseed, level by
// level, with its totals, the in-degree counts, the marking of placed states
// and the choice of pre-image method for each node.
#pragma once

// Builds the tree of firstseed (direction_forward: a basin tree on the
// attractor att; direction_backward: a subtree). Afterwards treesize, gofEno, level (the depth),
// tree_max_fan, maxtreefan and maxtreelevel hold, and is[0] holds 'q' after
// an abandoned tree, 'q' or 'n' when the user stopped it.
void run_backward();

// The pre-images of A by the method that suits the network, appended to
// the next level list.
void pre_images_of_A();
