// Starts the real VexoProcessViewer.exe beside the helper target and searches the target's
// memory as a person would: picks the target in the process tree, types a marker text into the
// Find Tool window, presses Find and reads the rows. Saves a picture of the desktop at the end.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "ProgramFixture.h"
#include "RemoteProgram.h"
#include "res/resource.h"
#include "tests/support/TargetMarkers.h"

namespace {

using remote::CRemoteProgram;
using remote::WaitFor;
using remote::WindowText;

std::string Hex8(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08x", value);
    return text;
}

class SearchEndToEndTest : public ProgramFixture
{};

TEST_F(SearchEndToEndTest, FindListsTheMarkerWithItsPageAndTheViewShowsIt)
{
    // Pick the target in the process tree and wait for its retrieval.
    const std::string prefix = "[" + Hex8(target.GetProcessId()) + "] : ";
    HTREEITEM item = nullptr;
    std::string path;
    for (const remote::TreeItem& root : remote::ReadTree(program.ProcessTree())) {
        if (root.text.compare(0, prefix.size(), prefix) == 0) {
            item = root.handle;
            path = root.text.substr(prefix.size());
        }
    }
    ASSERT_NE(item, nullptr) << "the target is not in the process tree";
    program.SelectTreeItem(item);
    HWND child = program.ChildFrame();
    ASSERT_TRUE(WaitFor([&] { return WindowText(child) == path && program.Idle(); },
                        CRemoteProgram::kRunTimeoutMs))
        << "the document was not retrieved: " << WindowText(child);

    // Type the marker into the Find Tool window and press Find.
    ASSERT_TRUE(program.Find(kTargetAsciiMarker));
    HWND results = GetDlgItem(program.ToolWindow("Find Tool"), IDC_FIND_RESULTS);
    ASSERT_TRUE(WaitFor([&] { return remote::ListItemCount(results) > 0 && program.Idle(); },
                        CRemoteProgram::kRunTimeoutMs));
    ASSERT_EQ(remote::ListItemCount(results), 1);
    const uint32_t marker = target.Address("marker_ascii");
    const std::string blanks(16, ' ');
    EXPECT_EQ(remote::ListItemText(results, 0, 0), Hex8(marker));
    EXPECT_EQ(remote::ListItemText(results, 0, 1), "Read-Write-Committed-Private");
    EXPECT_EQ(remote::ListItemText(results, 0, 2), blanks + kTargetAsciiMarker + blanks);
    // The view moved to the hit, and the memory contents window lists from its address.
    HWND memory = GetDlgItem(program.ToolWindow("Memory Contents"), IDC_MEMORY_LIST);
    EXPECT_EQ(remote::ListItemText(memory, 0, 0), Hex8(marker));
    const std::string folder = remote::ProgramFolder() + "..\\screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(remote::SaveDesktopBitmap(folder + "e2e-search.bmp"));
}

} // namespace
