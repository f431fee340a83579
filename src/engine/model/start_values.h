// The start values of a folder's settings, taken as the program is loaded
// and put back on demand: each global keeps its one start value where it is
// defined, and a folder's restore lists only the names. The program's
// start-up restores every folder's, and so does the window tests' fixture
// before each test, so that every run and every test begins from the same
// state whatever ran before it.
#pragma once
#include <cstddef>
#include <vector>

class start_values {
public:
    // Copies the bytes of each global named (scalars and arrays of them,
    // never a pointer to memory a stage owns). Define the object after the
    // globals, in the file that defines them, so that they hold their start
    // values when it is made.
    template <class... T>
    explicit start_values(T &...globals)
    {
        (keep(&globals, sizeof globals), ...);
    }
    // Writes the copied bytes back over each global.
    void restore() const;

private:
    struct kept_bytes {
        void *where;
        std::vector<unsigned char> bytes;
    };
    void keep(void *where, size_t size);
    std::vector<kept_bytes> kept_;
};
