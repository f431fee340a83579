// The hand wiring matrix: every cell's inputs typed or revised box by box in
// the paged wiring table.
#pragma once

// Edits the wiring table page by page; at the end every empty slot holds
// cell 0, the out-degrees are recounted and was_changed is set.
void wiring_matrix();
