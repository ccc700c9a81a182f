#pragma once
// The fixture of the end-to-end tests that start a program of their own for each test: the
// helper target first (the program lists the processes at its start), then the real program.
// Both end with the test: the program is closed (or ended), then the target.

#include <gtest/gtest.h>
#include <string>

#include "RemoteProgram.h"
#include "tests/support/TargetProcess.h"

class ProgramFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(target.Start(&error)) << error;
        ASSERT_TRUE(program.Start(&error)) << error;
    }

    CTargetProcess target;
    remote::CRemoteProgram program;
};
