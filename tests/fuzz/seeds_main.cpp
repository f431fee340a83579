// A fuzz target's seed corpus: `fuzz_<loader>_seeds DIR` writes the inputs
// its make_fuzz_seeds makes (with the program's own savers) into DIR as
// seed_<n> and replays each through the target's checks, so that builds
// without libFuzzer still run them.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"

int
main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s CORPUS-DIR\n", argv[0]);
        return 2;
    }
    char dir[PATH_MAX];
    if (!realpath(argv[1], dir)) {
        perror(argv[1]);
        return 2;
    }
    std::vector<bytes> seeds;
    make_fuzz_seeds(seeds);
    for (size_t i = 0; i < seeds.size(); i++) {
        std::string path = std::string(dir) + "/seed_" + std::to_string(i);
        FILE *out = fopen(path.c_str(), "wb");
        if (!out || fwrite(seeds[i].data(), 1, seeds[i].size(), out) != seeds[i].size() ||
            fclose(out) != 0) {
            perror(path.c_str());
            return 1;
        }
    }
    for (const bytes &seed : seeds)
        LLVMFuzzerTestOneInput(seed.data(), seed.size());
    printf("%zu seeds written to %s and replayed\n", seeds.size(), dir);
    return 0;
}
