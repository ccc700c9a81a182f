// Starts the real VexoProcessViewer.exe beside the helper target process in the same Wine prefix
// and works it from outside as a person would: picks the target in the process tree, clicks the
// picture, rests the pointer, types addresses, toggles the tool windows and presses F5. Saves a
// picture of the desktop at the main steps under <build>/screenshots.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "RemoteUi.h"
#include "imagectl/ImageModel.h"
#include "tests/support/TargetMarkers.h"
#include "tests/support/TargetProcess.h"
#include "view/PictureGeometry.h"

namespace {

using remote::WaitFor;
using remote::WindowText;

const char kAppTitle[] = "VexoProcessViewer";

// Identifiers the program is known by from outside.
const UINT kCmdProcessList = 32771;
const UINT kCmdMemoryContents = 32772;
const UINT kCmdFindText = 32773;
const UINT kCmdAddressPeek = 32775;
const UINT kCmdGotoAddress = 32780;
const int kProcessTreeId = 1000;
const int kMemoryListId = 1004;
const int kGotoEditId = 1011;
const int kGotoButtonId = 1012;
const int kImageWindowId = 12236;
const int kProgressBarId = 1002;
const int kMessageTextId = 0xFFFF;

// Everything runs emulated here: allow minutes for a retrieval.
const DWORD kRetrievalTimeoutMs = 600000;
const DWORD kUiTimeoutMs = 30000;

std::string Hex8(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08x", value);
    return text;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() &&
           _stricmp(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

class ShellEndToEndTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CreateDirectoryA(ScreenshotFolder().c_str(), nullptr);
        s_target.reset(new CTargetProcess);
        std::string error;
        if (!s_target->Start(&error)) {
            s_setupError = "helper target did not start: " + error;
            return;
        }
        // The program lists the processes at its start, so the target runs first.
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        std::string exe = remote::ProgramFolder() + "VexoProcessViewer.exe";
        std::string commandLine = "\"" + exe + "\"";
        if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            remote::ProgramFolder().c_str(), &startup, &s_program)) {
            s_setupError = "VexoProcessViewer.exe did not start";
            return;
        }
        const bool shown = WaitFor(
            [] {
                s_main = MainFrame();
                return s_main != nullptr && IsWindowEnabled(s_main) &&
                       remote::SendWithTimeout(s_main, WM_NULL, 0, 0) == 0;
            },
            kRetrievalTimeoutMs);
        if (!shown) {
            s_setupError = "the main window did not appear";
        }
    }

    static void TearDownTestSuite()
    {
        if (s_program.hProcess != nullptr) {
            CloseMessageBoxes();
            if (s_main != nullptr) {
                PostMessageA(s_main, WM_CLOSE, 0, 0);
            }
            if (WaitForSingleObject(s_program.hProcess, 60000) != WAIT_OBJECT_0) {
                TerminateProcess(s_program.hProcess, 1);
            }
            CloseHandle(s_program.hThread);
            CloseHandle(s_program.hProcess);
            s_program = PROCESS_INFORMATION();
        }
        if (s_target) {
            s_target->Stop();
            s_target.reset();
        }
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_setupError.empty()) << s_setupError;
    }

    static DWORD Pid() { return s_program.dwProcessId; }

    static HWND MainFrame()
    {
        return remote::FindTopLevel(s_program.dwProcessId, [](HWND hwnd) {
            return IsWindowVisible(hwnd) && remote::ClassName(hwnd) != "#32770" &&
                   WindowText(hwnd).compare(0, sizeof(kAppTitle) - 1, kAppTitle) == 0;
        });
    }

    static HWND ToolWindow(const char* caption)
    {
        return remote::FindTopLevelByCaption(Pid(), caption);
    }

    static HWND ChildFrame()
    {
        HWND client = FindWindowExA(s_main, nullptr, "MDIClient", nullptr);
        return client ? GetWindow(client, GW_CHILD) : nullptr;
    }

    static HWND View()
    {
        HWND child = ChildFrame();
        if (child == nullptr) {
            return nullptr;
        }
        for (HWND hwnd : remote::ChildWindows(child)) {
            if (GetDlgItem(hwnd, kImageWindowId) != nullptr) {
                return hwnd;
            }
        }
        return nullptr;
    }

    static HWND ImageWindow()
    {
        HWND view = View();
        return view ? GetDlgItem(view, kImageWindowId) : nullptr;
    }

    static HWND MemoryList()
    {
        HWND window = ToolWindow("Memory Contents");
        return window ? GetDlgItem(window, kMemoryListId) : nullptr;
    }

    static HWND ProgressWindow()
    {
        return remote::FindTopLevel(Pid(), [](HWND hwnd) {
            return IsWindowVisible(hwnd) && GetDlgItem(hwnd, kProgressBarId) != nullptr;
        });
    }

    static HWND MessageBoxWindow()
    {
        return remote::FindTopLevel(Pid(), [](HWND hwnd) {
            return IsWindowVisible(hwnd) && remote::ClassName(hwnd) == "#32770" &&
                   WindowText(hwnd) == kAppTitle && GetDlgItem(hwnd, kMessageTextId) != nullptr;
        });
    }

    static void CloseMessageBoxes()
    {
        for (HWND box = MessageBoxWindow(); box != nullptr; box = MessageBoxWindow()) {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeoutMs);
        }
    }

    // The program has dispatched everything queued so far and is not inside a run.
    static bool Idle()
    {
        return IsWindowEnabled(s_main) && remote::SendWithTimeout(s_main, WM_NULL, 0, 0) == 0;
    }

    static void WaitIdle()
    {
        ASSERT_TRUE(WaitFor(Idle, kRetrievalTimeoutMs)) << "the program did not come back to idle";
    }

    static void PostCommand(UINT id)
    {
        PostMessageA(s_main, WM_COMMAND, id, 0);
    }

    static std::string ScreenshotFolder()
    {
        return remote::ProgramFolder() + "..\\screenshots\\";
    }

    static void Screenshot(const char* name)
    {
        Sleep(300); // let the last paint reach the screen
        const std::string path = ScreenshotFolder() + name;
        EXPECT_TRUE(remote::SaveDesktopBitmap(path)) << path;
        std::printf("screenshot: %s\n", path.c_str());
    }

    static std::string TargetItemPrefix()
    {
        return "[" + Hex8(s_target->GetProcessId()) + "] : ";
    }

    static const remote::TreeItem* FindTargetItem(const std::vector<remote::TreeItem>& items)
    {
        for (const remote::TreeItem& item : items) {
            if (item.text.compare(0, TargetItemPrefix().size(), TargetItemPrefix()) == 0) {
                return &item;
            }
        }
        return nullptr;
    }

    // Runs the program's Goto with a text and waits until it has been handled.
    static void Goto(const std::string& text)
    {
        HWND dialog = ToolWindow("Goto Address");
        ASSERT_NE(dialog, nullptr);
        HWND edit = GetDlgItem(dialog, kGotoEditId);
        remote::SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        // Posted: a malformed address opens a message box inside the handler.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kGotoButtonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, kGotoButtonId)));
    }

    static std::string FirstMemoryRowAddress()
    {
        HWND list = MemoryList();
        return list && remote::ListItemCount(list) > 0 ? remote::ListItemText(list, 0, 0) : std::string();
    }

    // Screen point of the middle of a picture pixel after a goto to address: the control then
    // shows the address's page at zoom 10 centred, as its own conversion computes it.
    static POINT ScreenPointAfterGoto(uint32_t gotoAddress, uint32_t pageAddress)
    {
        HWND image = ImageWindow();
        RECT client = {};
        GetClientRect(image, &client);
        CImageModel model;
        model.SetImageSize(kPictureSide, kPictureSide, kBackgroundColour);
        model.SetClientSize(client.right, client.bottom);
        const PictureViewPosition position = ZoomPositionOfAddress(gotoAddress);
        model.SetViewPosition(position.x, position.y);
        model.SetZoom(10.0f);
        const PicturePixel pixel = PixelOfAddress(pageAddress);
        int32_t x = 0;
        int32_t y = 0;
        model.ImageToWindow(pixel.column, pixel.row, x, y);
        POINT point = {x + 5, y + 5};
        ClientToScreen(image, &point);
        return point;
    }

    // Moves tool windows that cover a screen point out of the way.
    static void Uncover(POINT point, HWND wanted)
    {
        for (int tries = 0; tries < 8 && WindowFromPoint(point) != wanted; ++tries) {
            HWND top = GetAncestor(WindowFromPoint(point), GA_ROOT);
            if (top == nullptr || top == s_main) {
                break;
            }
            RECT rect = {};
            GetWindowRect(top, &rect);
            SetWindowPos(top, nullptr, 0, GetSystemMetrics(SM_CYSCREEN) - (rect.bottom - rect.top),
                         0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            Sleep(100);
        }
    }

    static std::unique_ptr<CTargetProcess> s_target;
    static PROCESS_INFORMATION s_program;
    static HWND s_main;
    static std::string s_setupError;
};

std::unique_ptr<CTargetProcess> ShellEndToEndTest::s_target;
PROCESS_INFORMATION ShellEndToEndTest::s_program = {};
HWND ShellEndToEndTest::s_main = nullptr;
std::string ShellEndToEndTest::s_setupError;

TEST_F(ShellEndToEndTest, StartsMaximisedWithProcessTreeAndOneEmptyDocument)
{
    EXPECT_TRUE(IsZoomed(s_main));
    ASSERT_NE(ChildFrame(), nullptr);
    EXPECT_EQ(WindowText(ChildFrame()), "VexoPr1");
    ASSERT_NE(ToolWindow("Windows Processes"), nullptr);
    EXPECT_TRUE(IsWindowVisible(ToolWindow("Windows Processes")));
    for (const char* caption : {"Memory Contents", "Find Tool", "Goto Address"}) {
        ASSERT_NE(ToolWindow(caption), nullptr) << caption;
        EXPECT_FALSE(IsWindowVisible(ToolWindow(caption))) << caption;
    }
    // The process tree sits over the right third of the frame as it was created, in full height.
    RECT tree = {};
    GetWindowRect(ToolWindow("Windows Processes"), &tree);
    EXPECT_GT(tree.right - tree.left, 0);
    Screenshot("e2e-1-start.bmp");
}

TEST_F(ShellEndToEndTest, ProcessTreeListsTheTargetWithItsModules)
{
    HWND tree = GetDlgItem(ToolWindow("Windows Processes"), kProcessTreeId);
    ASSERT_NE(tree, nullptr);
    const std::vector<remote::TreeItem> items = remote::ReadTree(tree);
    const remote::TreeItem* target = FindTargetItem(items);
    ASSERT_NE(target, nullptr) << "no item starts with " << TargetItemPrefix();
    EXPECT_TRUE(EndsWithNoCase(target->text, "VexoTarget.exe")) << target->text;
    ASSERT_FALSE(target->children.empty());
    bool kernel32 = false;
    for (const remote::TreeItem& module : target->children) {
        // "[0x%08x] : path" with the module's load address.
        EXPECT_EQ(module.text.compare(0, 3, "[0x"), 0) << module.text;
        EXPECT_EQ(module.text.compare(12, 3, " : "), 0) << module.text;
        kernel32 = kernel32 || EndsWithNoCase(module.text, "kernel32.dll");
    }
    EXPECT_TRUE(kernel32);
    // The program's own process is there as well.
    bool own = false;
    for (const remote::TreeItem& item : items) {
        own = own || item.text.compare(0, 12, "[" + Hex8(Pid()) + "]") == 0;
    }
    EXPECT_TRUE(own);
}

TEST_F(ShellEndToEndTest, SelectingTheTargetRetrievesItAndTitlesTheDocument)
{
    HWND tree = GetDlgItem(ToolWindow("Windows Processes"), kProcessTreeId);
    const std::vector<remote::TreeItem> items = remote::ReadTree(tree);
    const remote::TreeItem* target = FindTargetItem(items);
    ASSERT_NE(target, nullptr);
    ASSERT_FALSE(target->children.empty());
    // A module item stands for its process.
    PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(target->children[0].handle));

    const std::string path = target->text.substr(TargetItemPrefix().size());
    bool sawRun = false;
    ASSERT_TRUE(WaitFor(
        [&] {
            sawRun = sawRun || ProgressWindow() != nullptr || !IsWindowEnabled(s_main);
            return WindowText(ChildFrame()) == path && Idle() && ProgressWindow() == nullptr;
        },
        kRetrievalTimeoutMs))
        << "document title: " << WindowText(ChildFrame());
    EXPECT_TRUE(sawRun) << "no run was seen (progress window or disabled frame)";
    EXPECT_TRUE(EndsWithNoCase(WindowText(ChildFrame()), "VexoTarget.exe"));
    // Painting a million pixels takes a moment when everything runs emulated.
    Sleep(3000);
    Screenshot("e2e-2-picture.bmp");
}

TEST_F(ShellEndToEndTest, GotoListsTheExactAddressAndReadsDigitsUpToTheFirstNonDigit)
{
    PostCommand(kCmdGotoAddress);
    PostCommand(kCmdMemoryContents);
    ASSERT_TRUE(WaitFor([] { return IsWindowVisible(ToolWindow("Goto Address")) &&
                                    IsWindowVisible(ToolWindow("Memory Contents")); },
                        kUiTimeoutMs));
    Goto("0x12G4");
    EXPECT_TRUE(WaitFor([] { return FirstMemoryRowAddress() == "0x00000012"; }, kUiTimeoutMs))
        << FirstMemoryRowAddress();

    const uint32_t marker = s_target->Address("marker_ascii");
    ASSERT_NE(marker, 0u);
    Goto(Hex8(marker + 3));
    EXPECT_TRUE(WaitFor([&] { return FirstMemoryRowAddress() == Hex8(marker + 3); }, kUiTimeoutMs))
        << FirstMemoryRowAddress();
    // Upper-case X reads the same way.
    Goto("0X" + Hex8(marker).substr(2));
    EXPECT_TRUE(WaitFor([&] { return FirstMemoryRowAddress() == Hex8(marker); }, kUiTimeoutMs))
        << FirstMemoryRowAddress();
    WaitIdle();
}

TEST_F(ShellEndToEndTest, ClickOnThePictureListsThePageWithTheTargetsBytes)
{
    const uint32_t marker = s_target->Address("marker_ascii");
    const uint32_t page = marker & ~0xFFFu;
    // Off-page start first, so that the click's own listing (from the page's first byte) shows.
    Goto(Hex8(marker + 3));
    ASSERT_TRUE(WaitFor([&] { return FirstMemoryRowAddress() == Hex8(marker + 3); }, kUiTimeoutMs));
    WaitIdle();

    const POINT point = ScreenPointAfterGoto(marker + 3, page);
    Uncover(point, ImageWindow());
    ASSERT_EQ(WindowFromPoint(point), ImageWindow()) << "the picture is covered at the click point";
    remote::MovePointer(point);
    remote::ClickLeft();
    ASSERT_TRUE(WaitFor([&] { return FirstMemoryRowAddress() == Hex8(page); }, kUiTimeoutMs))
        << FirstMemoryRowAddress();

    // The marker's row shows its bytes in hex and as characters.
    HWND list = MemoryList();
    EXPECT_EQ(remote::ListItemCount(list), 256);
    const int row = static_cast<int>((marker - page) / 16);
    const int column = static_cast<int>((marker - page) % 16);
    EXPECT_EQ(remote::ListItemText(list, row, 0), Hex8(page + row * 16));
    char hex[4];
    std::snprintf(hex, sizeof(hex), "%02x ", static_cast<unsigned char>(kTargetAsciiMarker[0]));
    const std::string hexText = remote::ListItemText(list, row, 1);
    ASSERT_GE(hexText.size(), static_cast<size_t>(column * 3 + 3)) << hexText;
    EXPECT_EQ(hexText.substr(column * 3, 3), hex) << hexText;
    std::string characters;
    for (int r = row; r < row + 3; ++r) {
        characters += remote::ListItemText(list, r, 2);
    }
    EXPECT_NE(characters.find(std::string(kTargetAsciiMarker).substr(0, 16 - column)), std::string::npos)
        << characters;
    Screenshot("e2e-3-memory.bmp");
}

TEST_F(ShellEndToEndTest, RestingPointerShowsTheAddressTip)
{
    const uint32_t marker = s_target->Address("marker_ascii");
    const uint32_t page = marker & ~0xFFFu;
    WaitIdle();
    POINT point = ScreenPointAfterGoto(marker + 3, page);
    // A fresh position over the picture restarts the hover delay.
    point.x += 2;
    remote::MovePointer(point);
    HWND view = View();
    HWND tip = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            tip = GetDlgItem(view, 0);
            return tip != nullptr && IsWindowVisible(tip);
        },
        kUiTimeoutMs))
        << "no visible tip after resting the pointer";
    RECT rect = {};
    GetWindowRect(tip, &rect);
    EXPECT_GT(rect.right - rect.left, 50);
    EXPECT_GT(rect.bottom - rect.top, 100) << "the tip should show the address and 16 lines of bytes";
    // A yellow tip: most of it is the fill behind the text, once it has been painted (which
    // can take a while on a busy machine).
    const int area = (rect.right - rect.left) * (rect.bottom - rect.top);
    EXPECT_TRUE(WaitFor([&] { return remote::CountScreenPixels(rect, RGB(255, 255, 0)) > area / 2; },
                        kUiTimeoutMs))
        << remote::CountScreenPixels(rect, RGB(255, 255, 0)) << " yellow pixels of " << area;
    Screenshot("e2e-4-tip.bmp");

    // Any move hides the tips again.
    point.x += 3;
    remote::MovePointer(point);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(tip); }, kUiTimeoutMs));
}

TEST_F(ShellEndToEndTest, GotoExplainsMalformedAddressesInAMessageBox)
{
    struct Case
    {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"x1000", "Address must be in Hex, starting with 0x...."},
        {"", "Address must be in Hex, starting with 0x...."},
        {"0x123456789", "Address should be at most 10 characters as in 0x12345678"},
        {"12345678901", "Address should be at most 10 characters as in 0x12345678"},
    };
    HWND dialog = ToolWindow("Goto Address");
    for (const Case& c : cases) {
        const std::string before = FirstMemoryRowAddress();
        Goto(c.text);
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = MessageBoxWindow()) != nullptr; }, kUiTimeoutMs))
            << "no message box for '" << c.text << "'";
        EXPECT_EQ(WindowText(GetDlgItem(box, kMessageTextId)), c.message) << c.text;
        EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
        if (c.text == cases[0].text) {
            Screenshot("e2e-5-goto-message.bmp");
        }
        CloseMessageBoxes();
        WaitIdle();
        EXPECT_EQ(FirstMemoryRowAddress(), before) << "a malformed address must not move the view";
    }
}

TEST_F(ShellEndToEndTest, ToolWindowCommandsFlipVisibilityAndTheToolbarShowsIt)
{
    HWND toolbar = remote::FindDescendantByClass(s_main, TOOLBARCLASSNAMEA);
    ASSERT_NE(toolbar, nullptr);
    struct Toggle
    {
        UINT command;
        const char* caption;
    };
    const Toggle toggles[] = {
        {kCmdProcessList, "Windows Processes"},
        {kCmdMemoryContents, "Memory Contents"},
        {kCmdFindText, "Find Tool"},
        {kCmdGotoAddress, "Goto Address"},
    };
    for (const Toggle& t : toggles) {
        HWND window = ToolWindow(t.caption);
        for (int round = 0; round < 2; ++round) {
            const bool visible = IsWindowVisible(window) != FALSE;
            PostCommand(t.command);
            ASSERT_TRUE(WaitFor([&] { return (IsWindowVisible(window) != FALSE) != visible; }, kUiTimeoutMs))
                << t.caption;
            // The toolbar's button follows at the next idle update.
            EXPECT_TRUE(WaitFor([&] {
                return (remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, t.command, 0) != 0) != visible;
            }, kUiTimeoutMs)) << t.caption;
        }
    }

    // A goto window closed with its own close box loses its mark, and the next command shows it.
    HWND gotoWindow = ToolWindow("Goto Address");
    if (!IsWindowVisible(gotoWindow)) {
        PostCommand(kCmdGotoAddress);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(gotoWindow) != FALSE; }, kUiTimeoutMs));
    }
    PostMessageA(gotoWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(gotoWindow); }, kUiTimeoutMs));
    EXPECT_TRUE(WaitFor([&] { return remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, kCmdGotoAddress, 0) == 0; },
                        kUiTimeoutMs));
    PostCommand(kCmdGotoAddress);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(gotoWindow) != FALSE; }, kUiTimeoutMs));

    // Address Peek flips its check mark; a second toggle brings it back.
    const bool peek = remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, kCmdAddressPeek, 0) != 0;
    EXPECT_TRUE(peek);
    PostCommand(kCmdAddressPeek);
    EXPECT_TRUE(WaitFor([&] { return (remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, kCmdAddressPeek, 0) != 0) != peek; },
                        kUiTimeoutMs));
    PostCommand(kCmdAddressPeek);
    EXPECT_TRUE(WaitFor([&] { return (remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, kCmdAddressPeek, 0) != 0) == peek; },
                        kUiTimeoutMs));
    Screenshot("e2e-6-toggles.bmp");
}

TEST_F(ShellEndToEndTest, F5RetrievesTheActiveDocumentAgain)
{
    WaitIdle();
    HWND view = View();
    ASSERT_NE(view, nullptr);
    const std::string title = WindowText(ChildFrame());
    PostMessageA(view, WM_KEYDOWN, VK_F5, 0x003F0001);
    PostMessageA(view, WM_KEYUP, VK_F5, 0xC03F0001);
    bool sawRun = false;
    EXPECT_TRUE(WaitFor([&] { return sawRun = sawRun || ProgressWindow() != nullptr || !IsWindowEnabled(s_main); },
                        kRetrievalTimeoutMs))
        << "F5 started no retrieval";
    WaitIdle();
    EXPECT_EQ(ProgressWindow(), nullptr);
    EXPECT_EQ(WindowText(ChildFrame()), title);
}

} // namespace
