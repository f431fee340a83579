// What every loader's fuzz target shares: the input split into the set-up
// bytes and the file, a private working directory for the files, the
// value-range limits the set-up stage applies, and how a finding is
// reported. Each target (*_fuzz.cpp) defines LLVMFuzzerTestOneInput and
// make_fuzz_seeds; seeds_main.cpp turns the latter into a corpus.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

using bytes = std::vector<uint8_t>;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

// The target's seed inputs (set-up bytes, then a file its saver wrote).
void make_fuzz_seeds(std::vector<bytes> &seeds);

// The fuzz input: set-up bytes taken from the front (0 once it is used
// up), the rest the file.
struct fuzz_input {
    const uint8_t *data;
    size_t size;
    uint8_t take()
    {
        if (size == 0)
            return 0;
        size--;
        return *data++;
    }
};

// Enters (once per process) a fresh directory under /tmp, removed at exit,
// where the loaders read and write (some names are fixed), and opens the
// program's text buffers. Paths given to a target must be absolute.
void enter_fuzz_dir();
void put_file(const char *name, const uint8_t *data, size_t size);
bytes get_file(const char *name);

// value_range, value_bits, maxL_lu and Maxnhood as the value-range stage
// sets them for v (2..8) and tot_only.
void use_value_range(int v, bool totalistic_only);

// A finding: says which check failed and aborts, so that libFuzzer keeps
// the input.
[[noreturn]] void fuzz_fail(const char *file, int line, const char *what);
#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond))                                                                               \
            fuzz_fail(__FILE__, __LINE__, #cond);                                                  \
    } while (0)
