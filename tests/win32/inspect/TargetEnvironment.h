#pragma once
// One helper target process for the whole test program, started before the first test and
// ended after the last, with a catalogue that has been refreshed while it runs.

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

#include "inspect/ProcessCatalogue.h"
#include "tests/support/TargetProcess.h"

class CTargetEnvironment : public ::testing::Environment
{
public:
    void SetUp() override;
    void TearDown() override;

    static CTargetEnvironment& Get();

    CTargetProcess target;
    std::string startError;
};

// The running target; the calling test fails when it could not be started.
const CTargetProcess& Target();
// True when running under Wine, which answers some queries unlike Windows.
bool IsWine();
// The target's record in catalogue, refreshing it first; nullptr when it is not there.
const ProcessRecord* RefreshAndFindTarget(CProcessCatalogue& catalogue);
