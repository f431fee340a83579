// Helpers of the tree builder's tests: the engine's pre-image helpers and
// the input line run_backward leaves its key in, given before the first
// test as the program gives it at start-up.
#pragma once
#include "engine/backward/backward_test_support.h"

#include "ui/backward/run_backward.h"
#include "ui/screen/globals.h"

class InputLineEnvironment : public ::testing::Environment {
public:
    void
    SetUp() override
    {
        static char line[kInputLineSize];
        if (!is)
            is = line;
        is[0] = 0;
    }
};

inline ::testing::Environment *const input_line_environment =
    ::testing::AddGlobalTestEnvironment(new InputLineEnvironment);
