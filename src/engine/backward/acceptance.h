// The acceptance step every pre-image method hands its pre-images to: the
// attractor-predecessor and seed-repeat tests, rotation compression of a
// uniform target's fan into the segment list, counting, tickoff marking in
// table mode, and the append to the next level list. Also the key poll of a
// fan, which stops it when the user asks, and the count of
// rotation-equivalent states of an attractor cycle.
#pragma once
#include <cstdint>

// 1: the pre-image P (bytesL bytes) is rejected; 0: it is counted (nextindex
// and precount advanced) and the caller passes it to accept_pre_image. Also
// 1, with abort_subtree set, when the next level list is full.
int check_pre_image(const uint8_t *P);
// Appends a copy of P at entry nextindex of the list being filled. When
// memory runs out the entry is not added: abort_subtree becomes 1 and the
// counts step back, so the caller abandons the tree.
void accept_pre_image(const uint8_t *P);
// The pair as every method uses it: 1 when the pre-image was kept.
int hand_over_pre_image(const uint8_t *P);
// The hand-over of the local and table methods: the pair, then the key poll
// when the pre-image was kept; 1 when the fan must stop (fan_stopped).
int offer_pre_image(const uint8_t *P);
// The same for a pre-image given by its state number (the table method):
// its line is made only when a step reads it.
int offer_pre_image_number(uint32_t s);
// The table method's fan: the states fan[0 .. count) whose tickoff bit is
// clear, each handed over as offer_pre_image_number hands it, until the fan
// must stop. Where only the count and the mark of each state itself apply
// (below the root, no subtree seed check, no rotation merging or marking,
// no strip), the keys are polled once after the fan instead of after each
// state.
void offer_fan_numbers(const uint32_t *fan, uint32_t count);
// The general method's fan by numbers: each state of fan[0 .. count) handed
// over as hand_over_pre_image hands its line (none left out, no key poll),
// until the tree is abandoned; where the table's fan takes the short way
// (see offer_fan_numbers) this one takes it too.
void hand_over_fan_numbers(const uint32_t *fan, uint32_t count);

// Starts the fan of the state in A: clears attrepeat and the user's stop.
// Every pre-image method calls it first.
void begin_fan();
// Polls the keys once (model/key_poll.h): 'n' stops the fan; on 'q' the fan
// stop prompt asks how to go on, and its 'q' or 'n' stops the fan (with
// earlyexit 1). Does nothing while no key poll is registered.
void interrupt_pre_fan();
// 1 when the fan must stop: the user asked ('q' or 'n') or the tree was
// abandoned (abort_subtree).
int fan_stopped();

// Number of states of the attractor cycle att[1..attperiod] that are
// rotations of S (S itself counted once); stored in cyclematch too.
int16_t rot_cycle_equiv(const uint8_t *S);

// With compression on for the node in A: 1 when the compression flags allow
// rotation merging (ignoring allbitssame).
int compression_on();

// Empties the segment list (segno 0); the kept lines stay allocated.
void clear_segment_list();
// Frees the segment list and its lines.
void free_segment_list();
