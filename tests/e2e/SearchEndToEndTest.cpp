// Starts the real VexoProcessViewer.exe beside the helper target and searches the target's
// memory as a person would: picks the target in the process tree, types a marker text into the
// Find Tool window, presses Find and reads the rows. Saves a picture of the desktop at the end.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "RemoteUi.h"
#include "tests/support/TargetMarkers.h"
#include "tests/support/TargetProcess.h"

namespace {

using remote::WaitFor;
using remote::WindowText;

const char kAppTitle[] = "VexoProcessViewer";
const UINT kCmdFindText = 32773;
const int kProcessTreeId = 1000;
const int kFindEditId = 1006;
const int kFindResultsId = 1008;
const int kFindButtonId = 1009;
const int kMemoryListId = 1004;
// Everything runs emulated here: allow minutes for the retrieval of the target.
const DWORD kRunTimeoutMs = 600000;

std::string Hex8(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08x", value);
    return text;
}

class SearchEndToEndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(target.Start(&error)) << error;
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        const std::string exe = remote::ProgramFolder() + "VexoProcessViewer.exe";
        std::string commandLine = "\"" + exe + "\"";
        ASSERT_TRUE(CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                   nullptr, remote::ProgramFolder().c_str(), &startup, &program));
        ASSERT_TRUE(WaitFor([this] { return (main = MainFrame()) != nullptr && Idle(); },
                            kRunTimeoutMs));
    }

    void TearDown() override
    {
        if (program.hProcess != nullptr) {
            PostMessageA(main, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(program.hProcess, 60000) != WAIT_OBJECT_0)
                TerminateProcess(program.hProcess, 1);
            CloseHandle(program.hThread);
            CloseHandle(program.hProcess);
        }
        target.Stop();
    }

    HWND MainFrame() const
    {
        return remote::FindTopLevel(program.dwProcessId, [](HWND hwnd) {
            return IsWindowVisible(hwnd) && remote::ClassName(hwnd) != "#32770" &&
                   WindowText(hwnd).compare(0, sizeof(kAppTitle) - 1, kAppTitle) == 0;
        });
    }
    HWND ToolWindow(const char* caption) const
    {
        return remote::FindTopLevelByCaption(program.dwProcessId, caption);
    }
    // Dispatching, and not inside a run (which disables the main window).
    bool Idle() const
    {
        return IsWindowEnabled(main) && remote::SendWithTimeout(main, WM_NULL, 0, 0) == 0;
    }

    CTargetProcess target;
    PROCESS_INFORMATION program = {};
    HWND main = nullptr;
};

TEST_F(SearchEndToEndTest, FindListsTheMarkerWithItsPageAndTheViewShowsIt)
{
    // Pick the target in the process tree and wait for its retrieval.
    HWND tree = GetDlgItem(ToolWindow("Windows Processes"), kProcessTreeId);
    const std::string prefix = "[" + Hex8(target.GetProcessId()) + "] : ";
    HTREEITEM item = nullptr;
    std::string path;
    for (const remote::TreeItem& root : remote::ReadTree(tree)) {
        if (root.text.compare(0, prefix.size(), prefix) == 0) {
            item = root.handle;
            path = root.text.substr(prefix.size());
        }
    }
    ASSERT_NE(item, nullptr) << "the target is not in the process tree";
    PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    HWND child = GetWindow(FindWindowExA(main, nullptr, "MDIClient", nullptr), GW_CHILD);
    ASSERT_TRUE(WaitFor([&] { return WindowText(child) == path && Idle(); },
                        kRunTimeoutMs))
        << "the document was not retrieved: " << WindowText(child);

    // Type the marker into the Find Tool window and press Find.
    PostMessageA(main, WM_COMMAND, kCmdFindText, 0);
    HWND find = ToolWindow("Find Tool");
    ASSERT_TRUE(WaitFor([find] { return IsWindowVisible(find) != FALSE; }, 30000));
    remote::SendWithTimeout(GetDlgItem(find, kFindEditId), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(kTargetAsciiMarker));
    PostMessageA(find, WM_COMMAND, MAKEWPARAM(kFindButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(find, kFindButtonId)));
    HWND results = GetDlgItem(find, kFindResultsId);
    ASSERT_TRUE(WaitFor([&] { return remote::ListItemCount(results) > 0 && Idle(); },
                        kRunTimeoutMs));
    ASSERT_EQ(remote::ListItemCount(results), 1);
    const uint32_t marker = target.Address("marker_ascii");
    const std::string blanks(16, ' ');
    EXPECT_EQ(remote::ListItemText(results, 0, 0), Hex8(marker));
    EXPECT_EQ(remote::ListItemText(results, 0, 1), "Read-Write-Committed-Private");
    EXPECT_EQ(remote::ListItemText(results, 0, 2), blanks + kTargetAsciiMarker + blanks);
    // The view moved to the hit, and the memory contents window lists from its address.
    HWND memory = GetDlgItem(ToolWindow("Memory Contents"), kMemoryListId);
    EXPECT_EQ(remote::ListItemText(memory, 0, 0), Hex8(marker));
    const std::string folder = remote::ProgramFolder() + "..\\screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(remote::SaveDesktopBitmap(folder + "e2e-search.bmp"));
}

} // namespace
