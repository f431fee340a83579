// Helpers of the storage tests: a fresh working directory per test (umask
// 077, so a mode of 0644 can only come from the program), files written
// and read as bytes, and the network globals of small networks.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "ui/model/buffers.h"
#include "ui/screen/globals.h"
#include "ui/storage/globals.h"

using bytes = std::vector<uint8_t>;

class StorageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!filename)
            allocate_mem_buffers();
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous_dir = here;
        char pattern[] = "/tmp/zemra-storage-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        ASSERT_EQ(chdir(dir.c_str()), 0);
        previous_umask = umask(077);
        is[0] = 0;
        use_v(2);
        Maxnhood = 13;
        tot_only = outer_tot = rulemix = 0;
        totalistic = rule_kind_tables;
        oned = 1;
        twod = threed = 0;
        hex2d = 0;
    }
    void TearDown() override
    {
        umask(previous_umask);
        ASSERT_EQ(chdir(previous_dir.c_str()), 0);
        std::string command = "chmod -R u+w '" + dir + "'; rm -rf '" + dir + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    static void use_v(int v)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
    }
    static void use_n(int n)
    {
        lineL = static_cast<uint16_t>(n);
        L = static_cast<uint16_t>(n - 1);
        bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
    }
    static bytes contents(const char *name)
    {
        std::ifstream in(name, std::ios::binary);
        return bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void write_file(const char *name, const bytes &data)
    {
        std::ofstream out(name, std::ios::binary);
        out.write(reinterpret_cast<const char *>(data.data()), static_cast<std::streamsize>(data.size()));
    }
    static unsigned mode_of(const char *name)
    {
        struct stat st;
        return stat(name, &st) == 0 ? (st.st_mode & 0777) : 0;
    }
    std::string dir, previous_dir;
    mode_t previous_umask = 0;
};
