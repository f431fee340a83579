// The update-order dialogs: the choice of update mode and the three ways of
// building a sequential order (random with its listing, typed cell by cell,
// chosen among all n! orders by index or as an order seed).
#pragma once

// "sequential updating: ..." sets seq_update and seq_order (and
// dontcompress 1: basins are not compressed under sequential updating).
void set_seq_update();
// A random seq_order (engine/forward/update_order.h) listed in the prompt
// box, redrawn, saved or loaded by key; seq_update 3.
void list_random_sequence();
// The order typed position by position (n <= 31); seq_update 3.
void setup_short_sequence();
// The listing of all n! orders (n <= 12), from which one is copied by its
// index or chosen as an order seed; seq_update 3, or 0 after 'q'.
void set_all_orders();
