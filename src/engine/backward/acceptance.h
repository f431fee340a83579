// The acceptance step every pre-image method hands its pre-images to, by
// line or by number: the attractor-predecessor and seed-repeat tests,
// rotation compression of a uniform target's fan into the segment list,
// counting, tickoff marking in table mode, and the append to the next level
// list. Also the key poll of a fan, where the method asks for it, which
// stops the fan when the user asks, and the count of rotation-equivalent
// states of an attractor cycle.
#pragma once
#include <cstdint>

struct preimage_method;

// Starts the fan of the state in A for method: clears attrepeat and the
// user's stop, and takes from the method whether the keys are polled and
// whether ticked-off states are left out. Every pre-image method calls it
// first.
void begin_fan(const preimage_method &method);
// One pre-image handed over as a line (bytesL bytes): the checks (the cycle
// state before the root, a subtree root met again, rotation merging of a
// uniform target's fan), the count, the strip, the marks of table mode and
// the append to the list being filled; then, when it was kept and the
// method polls, the keys. 1 when the fan must stop (fan_stopped).
int accept_line(const uint8_t *P);
// The pre-images fan[0 .. count) handed over by their state numbers, each as
// accept_line takes a line (its line made only when a step reads it), until
// the fan must stop, leaving out the states ticked off where the method
// does. Where only the count and the mark of each state itself apply (below
// the root, no subtree seed check, no rotation merging or marking, no
// strip), the keys are polled once after the fan instead of after each
// state.
void accept_numbers(const uint32_t *fan, uint32_t count);
// 1 when the fans of the nodes from here on take only the count and the
// mark of each state itself (below the root, no subtree seed check, no
// rotation merging or marking, no strip, in table mode each state marked
// itself, lists of numbers): a fan of numbers may then go through
// accept_plain_numbers. Stays so for the rest of the tree once it holds.
int plain_fans_apply();
// The pre-images fan[0 .. count) counted, marked in table mode and appended
// to the list of numbers being filled, leaving out the states ticked off
// where the current fan's method does (begin_fan); no key poll. Only where
// plain_fans_apply holds and the list has room for count more entries below
// Maxlu - 1 (room_in_next_level_numbers). Returns how many were kept.
uint32_t accept_plain_numbers(const uint32_t *fan, uint32_t count);

// What the plain acceptance reads besides the fan, taken once for many fans
// by a caller that holds the list being filled and its count itself (the
// tree walk of stored fans): the tickoff bits and their last state, whether
// ticked-off states are left out (the current fan's method, begin_fan) and
// whether kept states are marked (table mode).
struct plain_terms {
    uint8_t *ticks;
    uint32_t space;
    bool leave_out;
    bool marks;
};
plain_terms plain_acceptance_terms();
// accept_plain_numbers on a list held by the caller: the kept states of
// fan[0 .. count) appended at list[at + 1 ..], at moved to the last; returns
// how many were kept. The count of accepted states (precount) is the
// caller's to add. The tickoff byte of a state is read once for both its
// test and its mark.
inline uint32_t
accept_plain_into(const plain_terms &terms, const uint32_t *fan, uint32_t count, uint32_t *list,
                  uint32_t &at)
{
    const uint32_t from = at;
    uint32_t end = at;
    for (uint32_t i = 0; i < count; i++) {
        uint32_t s = fan[i];
        if (terms.ticks && s <= terms.space) {
            uint8_t &byte = terms.ticks[s >> 3];
            uint8_t bit = static_cast<uint8_t>(1u << (s & 7));
            if (terms.leave_out && (byte & bit))
                continue;
            if (terms.marks)
                byte |= bit;
        }
        list[++end] = s;
    }
    at = end;
    return end - from;
}

// Polls the keys once (model/key_poll.h): 'n' stops the fan; on 'q' the fan
// stop prompt asks how to go on, and its 'q' or 'n' stops the fan (with
// earlyexit 1). Does nothing while no key poll is registered.
void interrupt_pre_fan();
// 1 when the fan must stop: the user asked ('q' or 'n') or the tree was
// abandoned (abort_subtree).
int fan_stopped();

// The poll of a fan's search while it has nothing to hand over: a method
// calls fan_search_stopped once per unit of its search (a branch taken, a
// run of cells backed out of, a partial extended). Every
// kSearchUnitsPerPoll-th unit since the fan began polls the keys as
// interrupt_pre_fan does, whatever the method's own terms, so that a search
// that finds nothing for long still answers 'q', 'n' and an end signal (the
// window's poll reads it). A short fan never polls here: the keys typed
// during a field of small fans still reach the tree builder's poll between
// nodes. 1 when the fan must stop.
constexpr uint32_t kSearchUnitsPerPoll = 4096;
// Units left before the next poll; begin_fan sets it to kSearchUnitsPerPoll.
extern uint32_t search_units_to_poll;
int poll_fan_search();
inline int
fan_search_stopped()
{
    return --search_units_to_poll == 0 && poll_fan_search();
}

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
