// A basin field's fans by the general method made whole, as state numbers
// in a buffer, for a caller that takes a fan at once (the tree builder's
// walk of whole fans, through the method interface of preimage_method.h):
// the final partials of a target from the field's midpoints
// (general_field_points.h), each wild cell expanded as the one-by-one fan
// expands them (expand_wild_words), so the numbers come in the order that
// fan hands them, without its stacks, copies and checks per pre-image.
#pragma once
#include <cstdint>

// Whether whole fans serve now: a field whose midpoints are made, the walk
// serving the network as its tables were built.
bool general_field_fans_ready();
// The pre-images of state number t, *count of them, in the order of the
// general method's fan; null with *count = fan_not_made (preimage_method.h)
// when memory ran out for them (nothing noted: the one-by-one fan, asked
// then, abandons the tree as it does).
const uint32_t *general_field_fan(uint32_t t, uint32_t *count);
// Frees the buffers.
void release_general_field_fans();
