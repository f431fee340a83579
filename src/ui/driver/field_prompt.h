// The prompt that opens a basin field: the pre-image method, offered by
// network size, and the partial pre-image stack view.
#pragma once

// Sets exhaustive_testing, see_ppstack, neutral_order, reorderRBN and
// seq_update from the answer; false when the user backed out with 'q'.
bool field_prompt();
