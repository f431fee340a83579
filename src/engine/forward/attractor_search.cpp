// The attractor search: the history of states since the seed, the test of
// each new state against it, and the copy of the cycle into att. Reads A,
// bytesL, firstseed (model), limitcheck, att_hist (forward globals) and
// steps the network through forward_step. Start at attractor_check.
//
// The history keeps its states in one block (entry t at t * bytesL), grown by
// doubling, with a 64-bit hash per entry. A table of buckets (a power of two,
// at least twice the entries) holds for each bucket the list of times whose
// hash falls in it, in ascending order, so the first equal state met in a
// bucket's list is the earliest one, the j of a scan from time 0.
#include "engine/forward/attractor_search.h"

#include <cstdio>
#include <cstring>

#include "engine/forward/globals.h"
#include "engine/forward/network_fingerprint.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;

struct history {
    uint8_t *lines = nullptr;      // kept states
    uint64_t *hashes = nullptr;    // hash of each kept state
    uint32_t *next_same = nullptr; // next time in the same bucket, or kNone
    uint32_t kept = 0, capacity = 0;
    uint32_t origin = 0;           // the run's time of entry 0
    uint32_t *head = nullptr, *tail = nullptr; // first and last time of each bucket
    uint32_t buckets = 0;
    size_t bytes = 0;              // bytesL when the history started
};

history rcheck;
uint32_t first_repeat = 0;
uint32_t att_states = 0;          // state lines held in att[1..]

void
append_to_bucket(uint32_t t)
{
    uint32_t b = static_cast<uint32_t>(rcheck.hashes[t]) & (rcheck.buckets - 1);
    rcheck.next_same[t] = kNone;
    if (rcheck.head[b] == kNone)
        rcheck.head[b] = t;
    else
        rcheck.next_same[rcheck.tail[b]] = t;
    rcheck.tail[b] = t;
}

// Doubles the buckets and files every kept time again, in ascending order.
void
grow_buckets()
{
    checked_free(rcheck.head);
    checked_free(rcheck.tail);
    rcheck.buckets = rcheck.buckets ? rcheck.buckets * 2 : 64;
    rcheck.head = static_cast<uint32_t *>(checked_calloc(rcheck.buckets, sizeof(uint32_t), "rcheck"));
    rcheck.tail = static_cast<uint32_t *>(checked_calloc(rcheck.buckets, sizeof(uint32_t), "rcheck"));
    memset(rcheck.head, 0xFF, rcheck.buckets * sizeof(uint32_t));
    for (uint32_t t = 0; t < rcheck.kept; t++)
        append_to_bucket(t);
}

void
keep_state(const uint8_t *line, uint64_t hash)
{
    if (rcheck.kept == rcheck.capacity) {
        uint32_t cap = rcheck.capacity ? rcheck.capacity * 2 : 64;
        char label[32];
        snprintf(label, sizeof label, "rcheck[%lu]", static_cast<unsigned long>(rcheck.kept));
        rcheck.lines = static_cast<uint8_t *>(
            checked_realloc(rcheck.lines, static_cast<size_t>(cap) * rcheck.bytes, label));
        rcheck.hashes = static_cast<uint64_t *>(
            checked_realloc(rcheck.hashes, cap * sizeof(uint64_t), "rcheck"));
        rcheck.next_same = static_cast<uint32_t *>(
            checked_realloc(rcheck.next_same, cap * sizeof(uint32_t), "rcheck"));
        rcheck.capacity = cap;
    }
    uint32_t t = rcheck.kept++;
    memcpy(rcheck.lines + static_cast<size_t>(t) * rcheck.bytes, line, rcheck.bytes);
    rcheck.hashes[t] = hash;
    if (rcheck.kept * 2 > rcheck.buckets)
        grow_buckets();
    else
        append_to_bucket(t);
}

// The earliest kept time whose state equals line, or kNone.
uint32_t
find_state(const uint8_t *line, uint64_t hash)
{
    if (!rcheck.buckets)
        return kNone;
    uint32_t b = static_cast<uint32_t>(hash) & (rcheck.buckets - 1);
    for (uint32_t t = rcheck.head[b]; t != kNone; t = rcheck.next_same[t])
        if (rcheck.hashes[t] == hash &&
            memcmp(rcheck.lines + static_cast<size_t>(t) * rcheck.bytes, line, rcheck.bytes) == 0)
            return t;
    return kNone;
}

} // namespace

void
attractor_history_free()
{
    checked_free(rcheck.lines);
    checked_free(rcheck.hashes);
    checked_free(rcheck.next_same);
    checked_free(rcheck.head);
    checked_free(rcheck.tail);
    rcheck = history();
}

void
free_att()
{
    if (att) {
        for (uint32_t i = 1; i <= att_states; i++)
            checked_free(att[i]);
        checked_free(att);
    }
    att = nullptr;
    att_states = 0;
    attperiod = 0;
}

void
attractor_search_start()
{
    attractor_history_free();
    free_att();
    rcheck.bytes = bytesL;
    keep_state(A, line_hash(A, bytesL));
    memcpy(firstseed, A, bytesL);
    att = static_cast<uint8_t **>(checked_calloc(1, sizeof(uint8_t *), "att"));
    first_repeat = 0;
}

void
attractor_search_restart(uint32_t t)
{
    attractor_search_start();
    rcheck.origin = t;
}

attractor_result
attractor_check(uint32_t t)
{
    // The run set its count back or changed the network's size (a running
    // key, a new seed) while the search went on: the states kept belong to
    // another count, and the search starts again from this state, entry 0
    // at time t. (A history freed once a cycle was found keeps nothing.)
    if (rcheck.kept && (t < rcheck.origin + rcheck.kept || rcheck.bytes != bytesL)) {
        attractor_search_restart(t);
        return att_none;
    }
    const uint32_t since = t - rcheck.origin;
    uint64_t hash = line_hash(A, rcheck.bytes);
    uint32_t j = find_state(A, hash);
    if (j != kNone) {
        first_repeat = j;
        attperiod = since - j;
        if (limitcheck != 0 && since > limitcheck)
            return att_past_limit;
        att = static_cast<uint8_t **>(
            checked_realloc(att, (static_cast<size_t>(attperiod) + 1) * sizeof(uint8_t *), "att[]"));
        att[0] = nullptr;
        for (uint32_t i = 1; i <= attperiod; i++) {
            att[i] = static_cast<uint8_t *>(checked_calloc(rcheck.bytes, 1, "att[]"));
            memcpy(att[i], rcheck.lines + static_cast<size_t>(j + i - 1) * rcheck.bytes,
                   rcheck.bytes);
            att_states = i;
        }
        attractor_history_free();
        return att_found;
    }
    // limitcheck 0 is a search without a limit: every state is kept, so a
    // cycle found copies kept states only.
    if (limitcheck == 0 || since <= limitcheck || att_hist == att_hist_types)
        keep_state(A, hash);
    return att_none;
}

void
attractor_cycle_from_state(uint8_t **rules, const step_mode &mode)
{
    attractor_history_free();
    att = static_cast<uint8_t **>(
        checked_realloc(att, (static_cast<size_t>(attperiod) + 1) * sizeof(uint8_t *), "att[]"));
    att[0] = nullptr;
    for (uint32_t i = 1; i <= attperiod; i++) {
        att[i] = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "att[]"));
        memcpy(att[i], A, bytesL);
        att_states = i;
        forward_step(rules, mode);
    }
}

uint32_t
attractor_first_repeat()
{
    return first_repeat;
}

uint32_t
attractor_search(uint8_t **rules, const step_mode &mode, uint32_t max_steps,
                 attractor_result *result)
{
    forward_run_begin(mode);
    attractor_search_start();
    attractor_result found = att_none;
    uint32_t t = 0;
    while (t < max_steps && found == att_none) {
        forward_step(rules, mode);
        found = attractor_check(++t);
    }
    attractor_history_free();
    forward_run_end();
    if (result)
        *result = found;
    return found == att_none ? 0 : t;
}
