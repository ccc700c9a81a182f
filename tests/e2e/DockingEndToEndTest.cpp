// The real program's toolbar dragged by its gripper with the real pointer to the left edge of
// the frame: it stands there as a column, and its buttons still carry out their commands and
// show their prompts in the status bar; a double click on the gripper floats it, and the program
// still closes cleanly. Saves pictures of the desktop under <build>/screenshots.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "ProgramFixture.h"
#include "res/resource.h"

namespace {

using remote::WaitFor;

const DWORD kUiTimeoutMs = remote::CRemoteProgram::kUiTimeoutMs;

RECT ScreenRect(HWND hwnd)
{
    RECT rect = {};
    GetWindowRect(hwnd, &rect);
    return rect;
}

POINT Center(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void PressLeft(bool down)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
    Sleep(100);
}

void MoveTo(POINT point)
{
    remote::MovePointer(point);
    Sleep(100);
}

// The screen rectangle of a button of another process's toolbar.
RECT ButtonRect(HWND toolbar, UINT command)
{
    RECT rect = {};
    const LRESULT index = remote::SendWithTimeout(toolbar, TB_COMMANDTOINDEX, command, 0);
    remote::CRemoteBuffer buffer(toolbar, sizeof(RECT));
    if (index < 0 || !buffer.IsValid() ||
        remote::SendWithTimeout(toolbar, TB_GETITEMRECT, index, buffer.Address()) == 0 ||
        !buffer.Read(0, &rect, sizeof(rect))) {
        return RECT{};
    }
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The status-bar prompt of a command, from the program's own string table.
std::string Prompt(UINT command)
{
    const std::string path = remote::ProgramFolder() + "VexoProcessViewer.exe";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[256] = "";
    if (module != nullptr) {
        LoadStringA(module, command, text, sizeof(text));
        FreeLibrary(module);
    }
    const std::string full(text);
    return full.substr(0, full.find('\n'));
}

class DockingEndToEndTest : public ProgramFixture
{
protected:
    static void Screenshot(const char* name)
    {
        Sleep(300); // let the last paint reach the screen
        const std::string folder = remote::ProgramFolder() + "..\\screenshots\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string path = folder + name;
        EXPECT_TRUE(remote::SaveDesktopBitmap(path)) << path;
        std::printf("screenshot: %s\n", path.c_str());
    }
};

TEST_F(DockingEndToEndTest, ToolbarDraggedToTheLeftEdgeStandsThereAndItsButtonsWork)
{
    const HWND main = program.Main();
    const HWND toolbar = remote::FindDescendantByClass(main, TOOLBARCLASSNAMEA);
    const HWND client = remote::FindDescendantByClass(main, "MDIClient");
    const HWND status = remote::FindDescendantByClass(main, STATUSCLASSNAMEA);
    ASSERT_NE(toolbar, nullptr);
    ASSERT_NE(client, nullptr);
    ASSERT_NE(status, nullptr);
    const RECT before = ScreenRect(toolbar);
    const RECT clientBefore = ScreenRect(client);
    ASSERT_GT(before.right - before.left, before.bottom - before.top); // docked at the top

    // Press on the gripper, drag to the left edge of the client area, release.
    SetForegroundWindow(main);
    MoveTo(POINT{before.left + 4, (before.top + before.bottom) / 2});
    PressLeft(true);
    MoveTo(POINT{before.left + 60, Center(clientBefore).y});
    MoveTo(POINT{clientBefore.left + 4, Center(clientBefore).y});
    PressLeft(false);

    ASSERT_TRUE(WaitFor(
        [&] {
            const RECT rect = ScreenRect(toolbar);
            return rect.bottom - rect.top > rect.right - rect.left;
        },
        kUiTimeoutMs))
        << "the toolbar did not turn vertical";
    const RECT docked = ScreenRect(toolbar);
    const RECT clientAfter = ScreenRect(client);
    EXPECT_EQ(docked.left, clientBefore.left);
    EXPECT_EQ(docked.top, before.top);
    EXPECT_EQ(clientAfter.left, docked.right);
    EXPECT_EQ(clientAfter.top, before.top);
    EXPECT_EQ(clientAfter.bottom, clientBefore.bottom);
    EXPECT_EQ(ScreenRect(status).top, docked.bottom);

    // The process-list button, now in the column, hides and shows the process tree.
    const RECT button = ButtonRect(toolbar, ID_TOOLS_PROCESS_LIST);
    ASSERT_GT(button.bottom - button.top, 0);
    EXPECT_LT(button.right, docked.right + 1);
    const HWND tree = program.ToolWindow("Windows Processes");
    ASSERT_NE(tree, nullptr);
    for (int round = 0; round < 2; ++round) {
        const bool visible = IsWindowVisible(tree) != FALSE;
        MoveTo(Center(button));
        remote::ClickLeft();
        EXPECT_TRUE(
            WaitFor([&] { return (IsWindowVisible(tree) != FALSE) != visible; }, kUiTimeoutMs))
            << "round " << round;
    }
    // While the pointer rests on the button, the status bar shows its prompt.
    const std::string prompt = Prompt(ID_TOOLS_PROCESS_LIST);
    ASSERT_FALSE(prompt.empty());
    MoveTo(POINT{Center(button).x, Center(button).y + 1});
    EXPECT_TRUE(WaitFor([&] { return remote::WindowText(status) == prompt; }, kUiTimeoutMs))
        << remote::WindowText(status);

    Screenshot("e2e-docking-left.bmp");

    // A double click on the gripper floats the toolbar in its own frame, where the button
    // works as well.
    MoveTo(POINT{(docked.left + docked.right) / 2, docked.top + 4});
    remote::ClickLeft();
    remote::ClickLeft();
    HWND floating = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            floating = remote::FindTopLevelByCaption(program.Pid(), "Toolbar");
            return floating != nullptr && IsWindowVisible(floating) &&
                   GetParent(toolbar) == floating;
        },
        kUiTimeoutMs));
    const RECT floatingButton = ButtonRect(toolbar, ID_TOOLS_PROCESS_LIST);
    const bool visible = IsWindowVisible(tree) != FALSE;
    MoveTo(Center(floatingButton));
    remote::ClickLeft();
    EXPECT_TRUE(WaitFor([&] { return (IsWindowVisible(tree) != FALSE) != visible; }, kUiTimeoutMs));
    EXPECT_EQ(GetForegroundWindow(), main) << "a click on the floating toolbar took activation";
    Screenshot("e2e-docking-floating.bmp");

    // The program closes cleanly with its toolbar floating.
    DWORD exitCode = 1;
    ASSERT_TRUE(program.Close(kUiTimeoutMs, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

} // namespace
