// A fresh directory under /tmp that a test works in, so the files a test
// makes never mix with another's: enter() makes it and goes there, leave()
// goes back and removes it with what the test left in it.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <unistd.h>

struct work_dir {
    std::string dir, previous;

    // False when the directory could not be made or entered.
    bool enter(const std::string &prefix)
    {
        char here[4096];
        if (!getcwd(here, sizeof here))
            return false;
        previous = here;
        std::string pattern = "/tmp/" + prefix + "-XXXXXX";
        if (!mkdtemp(pattern.data()))
            return false;
        dir = pattern;
        return chdir(dir.c_str()) == 0;
    }

    // False when the previous directory could not be entered again or this
    // one not removed.
    bool leave()
    {
        if (chdir(previous.c_str()) != 0)
            return false;
        std::error_code error;
        std::filesystem::remove_all(dir, error);
        return !error;
    }

    // The bytes of the file `name` in the directory; empty when it cannot
    // be read.
    std::string read(const std::string &name) const
    {
        std::ifstream in(dir + "/" + name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
};
