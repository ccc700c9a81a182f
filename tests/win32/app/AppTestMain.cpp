// The application tests run the program's own classes in this process: set the framework up as
// its entry point would, then run the tests.

#include <gtest/gtest.h>

#include "framework/Afx.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWNORMAL)) {
        return 1;
    }
    return RUN_ALL_TESTS();
}
