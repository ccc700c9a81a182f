// Starts the real VexoProcessViewer.exe beside the helper target process in the same Wine prefix
// and works it from outside as a person would: picks the target in the process tree, clicks the
// picture, rests the pointer, types addresses, toggles the tool windows and presses F5. Saves a
// picture of the desktop at the main steps under <build>/screenshots.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "PicturePoint.h"
#include "RemoteProgram.h"
#include "res/resource.h"
#include "tests/support/TargetMarkers.h"
#include "tests/support/TargetProcess.h"

namespace {

using remote::CRemoteProgram;
using remote::WaitFor;
using remote::WindowText;

const DWORD kRunTimeoutMs = CRemoteProgram::kRunTimeoutMs;
const DWORD kUiTimeoutMs = CRemoteProgram::kUiTimeoutMs;
// The static text of a message box.
const int kMessageTextId = 0xFFFF;

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

// One program for the whole suite: its tests follow each other as one session of a user.
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
        s_program.reset(new CRemoteProgram);
        if (!s_program->Start(&error)) {
            s_setupError = error;
        }
    }

    static void TearDownTestSuite()
    {
        s_program.reset(); // closes the program, or ends it when it does not close
        if (s_target) {
            s_target->Stop();
            s_target.reset();
        }
    }

    void SetUp() override { ASSERT_TRUE(s_setupError.empty()) << s_setupError; }

    static HWND ImageWindow()
    {
        HWND view = s_program->View();
        return view ? GetDlgItem(view, IDC_IMAGE_WINDOW) : nullptr;
    }

    static HWND MemoryList()
    {
        HWND window = s_program->ToolWindow("Memory Contents");
        return window ? GetDlgItem(window, IDC_MEMORY_LIST) : nullptr;
    }

    static void WaitIdle()
    {
        ASSERT_TRUE(s_program->WaitIdle()) << "the program did not come back to idle";
    }

    static std::string ScreenshotFolder() { return remote::ProgramFolder() + "..\\screenshots\\"; }

    static void Screenshot(const char* name)
    {
        Sleep(300); // let the last paint reach the screen
        const std::string path = ScreenshotFolder() + name;
        EXPECT_TRUE(remote::SaveDesktopBitmap(path)) << path;
        std::printf("screenshot: %s\n", path.c_str());
    }

    static std::string TargetItemPrefix() { return "[" + Hex8(s_target->GetProcessId()) + "] : "; }

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
        HWND dialog = s_program->ToolWindow("Goto Address");
        ASSERT_NE(dialog, nullptr);
        HWND edit = GetDlgItem(dialog, IDC_GOTO_ADDRESS_EDIT);
        remote::SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        // Posted: a malformed address opens a message box inside the handler.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GOTO_BUTTON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_GOTO_BUTTON)));
    }

    static std::string FirstMemoryRowAddress()
    {
        HWND list = MemoryList();
        return list && remote::ListItemCount(list) > 0 ? remote::ListItemText(list, 0, 0)
                                                       : std::string();
    }

    static std::unique_ptr<CTargetProcess> s_target;
    static std::unique_ptr<CRemoteProgram> s_program;
    static std::string s_setupError;
};

std::unique_ptr<CTargetProcess> ShellEndToEndTest::s_target;
std::unique_ptr<CRemoteProgram> ShellEndToEndTest::s_program;
std::string ShellEndToEndTest::s_setupError;

TEST_F(ShellEndToEndTest, StartsMaximisedWithProcessTreeAndOneEmptyDocument)
{
    EXPECT_TRUE(IsZoomed(s_program->Main()));
    ASSERT_NE(s_program->ChildFrame(), nullptr);
    EXPECT_EQ(WindowText(s_program->ChildFrame()), "VexoPr1");
    ASSERT_NE(s_program->ToolWindow("Windows Processes"), nullptr);
    EXPECT_TRUE(IsWindowVisible(s_program->ToolWindow("Windows Processes")));
    for (const char* caption : {"Memory Contents", "Find Tool", "Goto Address"}) {
        ASSERT_NE(s_program->ToolWindow(caption), nullptr) << caption;
        EXPECT_FALSE(IsWindowVisible(s_program->ToolWindow(caption))) << caption;
    }
    // The process tree sits over the right third of the frame as it was created, in full height.
    RECT tree = {};
    GetWindowRect(s_program->ToolWindow("Windows Processes"), &tree);
    EXPECT_GT(tree.right - tree.left, 0);
    Screenshot("e2e-1-start.bmp");
}

TEST_F(ShellEndToEndTest, ProcessTreeListsTheTargetWithItsModules)
{
    HWND tree = s_program->ProcessTree();
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
        own = own || item.text.compare(0, 12, "[" + Hex8(s_program->Pid()) + "]") == 0;
    }
    EXPECT_TRUE(own);
}

TEST_F(ShellEndToEndTest, SelectingTheTargetRetrievesItAndTitlesTheDocument)
{
    HWND tree = s_program->ProcessTree();
    const std::vector<remote::TreeItem> items = remote::ReadTree(tree);
    const remote::TreeItem* target = FindTargetItem(items);
    ASSERT_NE(target, nullptr);
    ASSERT_FALSE(target->children.empty());
    // A module item stands for its process.
    PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(target->children[0].handle));

    const std::string path = target->text.substr(TargetItemPrefix().size());
    bool sawRun = false;
    ASSERT_TRUE(WaitFor(
        [&] {
            sawRun = sawRun || s_program->ProgressWindow() != nullptr ||
                     !IsWindowEnabled(s_program->Main());
            return WindowText(s_program->ChildFrame()) == path && s_program->Idle() &&
                   s_program->ProgressWindow() == nullptr;
        },
        kRunTimeoutMs))
        << "document title: " << WindowText(s_program->ChildFrame());
    EXPECT_TRUE(sawRun) << "no run was seen (progress window or disabled frame)";
    EXPECT_TRUE(EndsWithNoCase(WindowText(s_program->ChildFrame()), "VexoTarget.exe"));
    // Painting a million pixels takes a moment when everything runs emulated.
    Sleep(3000);
    Screenshot("e2e-2-picture.bmp");
}

TEST_F(ShellEndToEndTest, GotoListsTheExactAddressAndReadsDigitsUpToTheFirstNonDigit)
{
    s_program->PostCommand(ID_TOOLS_GOTO_ADDRESS);
    s_program->PostCommand(ID_TOOLS_MEMORY_CONTENTS);
    ASSERT_TRUE(WaitFor(
        [] {
            return IsWindowVisible(s_program->ToolWindow("Goto Address")) &&
                   IsWindowVisible(s_program->ToolWindow("Memory Contents"));
        },
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

    const POINT point = remote::PictureScreenPoint(ImageWindow(), marker + 3, page);
    remote::Uncover(point, ImageWindow(), s_program->Main());
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
    EXPECT_NE(characters.find(std::string(kTargetAsciiMarker).substr(0, 16 - column)),
              std::string::npos)
        << characters;
    Screenshot("e2e-3-memory.bmp");
}

TEST_F(ShellEndToEndTest, RestingPointerShowsTheAddressTip)
{
    const uint32_t marker = s_target->Address("marker_ascii");
    const uint32_t page = marker & ~0xFFFu;
    WaitIdle();
    POINT point = remote::PictureScreenPoint(ImageWindow(), marker + 3, page);
    // A fresh position over the picture restarts the hover delay.
    point.x += 2;
    remote::MovePointer(point);
    HWND view = s_program->View();
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
    EXPECT_GT(rect.bottom - rect.top, 100)
        << "the tip should show the address and 16 lines of bytes";
    // A yellow tip: most of it is the fill behind the text, once it has been painted (which
    // can take a while on a busy machine).
    const int area = (rect.right - rect.left) * (rect.bottom - rect.top);
    EXPECT_TRUE(WaitFor(
        [&] { return remote::CountScreenPixels(rect, RGB(255, 255, 0)) > area / 2; }, kUiTimeoutMs))
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
    HWND dialog = s_program->ToolWindow("Goto Address");
    for (const Case& c : cases) {
        const std::string before = FirstMemoryRowAddress();
        Goto(c.text);
        HWND box = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (box = s_program->MessageBoxWindow()) != nullptr; }, kUiTimeoutMs))
            << "no message box for '" << c.text << "'";
        EXPECT_EQ(WindowText(GetDlgItem(box, kMessageTextId)), c.message) << c.text;
        EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
        if (c.text == cases[0].text) {
            Screenshot("e2e-5-goto-message.bmp");
        }
        s_program->CloseMessageBoxes();
        WaitIdle();
        EXPECT_EQ(FirstMemoryRowAddress(), before) << "a malformed address must not move the view";
    }
}

TEST_F(ShellEndToEndTest, ToolWindowCommandsFlipVisibilityAndTheToolbarShowsIt)
{
    HWND toolbar = remote::FindDescendantByClass(s_program->Main(), TOOLBARCLASSNAMEA);
    ASSERT_NE(toolbar, nullptr);
    struct Toggle
    {
        UINT command;
        const char* caption;
    };
    const Toggle toggles[] = {
        {ID_TOOLS_PROCESS_LIST, "Windows Processes"},
        {ID_TOOLS_MEMORY_CONTENTS, "Memory Contents"},
        {ID_TOOLS_FIND_TEXT, "Find Tool"},
        {ID_TOOLS_GOTO_ADDRESS, "Goto Address"},
    };
    for (const Toggle& t : toggles) {
        HWND window = s_program->ToolWindow(t.caption);
        for (int round = 0; round < 2; ++round) {
            const bool visible = IsWindowVisible(window) != FALSE;
            s_program->PostCommand(t.command);
            ASSERT_TRUE(WaitFor([&] { return (IsWindowVisible(window) != FALSE) != visible; },
                                kUiTimeoutMs))
                << t.caption;
            // The toolbar's button follows at the next idle update.
            EXPECT_TRUE(WaitFor(
                [&] {
                    return (remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, t.command, 0) !=
                            0) != visible;
                },
                kUiTimeoutMs))
                << t.caption;
        }
    }

    // A goto window closed with its own close box loses its mark, and the next command shows it.
    HWND gotoWindow = s_program->ToolWindow("Goto Address");
    if (!IsWindowVisible(gotoWindow)) {
        s_program->PostCommand(ID_TOOLS_GOTO_ADDRESS);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(gotoWindow) != FALSE; }, kUiTimeoutMs));
    }
    PostMessageA(gotoWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(gotoWindow); }, kUiTimeoutMs));
    EXPECT_TRUE(WaitFor(
        [&] {
            return remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, ID_TOOLS_GOTO_ADDRESS, 0) ==
                   0;
        },
        kUiTimeoutMs));
    s_program->PostCommand(ID_TOOLS_GOTO_ADDRESS);
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(gotoWindow) != FALSE; }, kUiTimeoutMs));

    // Address Peek flips its check mark; a second toggle brings it back.
    const bool peek =
        remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, ID_TOOLS_ADDRESS_PEEK, 0) != 0;
    EXPECT_TRUE(peek);
    s_program->PostCommand(ID_TOOLS_ADDRESS_PEEK);
    EXPECT_TRUE(WaitFor(
        [&] {
            return (remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, ID_TOOLS_ADDRESS_PEEK,
                                            0) != 0) != peek;
        },
        kUiTimeoutMs));
    s_program->PostCommand(ID_TOOLS_ADDRESS_PEEK);
    EXPECT_TRUE(WaitFor(
        [&] {
            return (remote::SendWithTimeout(toolbar, TB_ISBUTTONCHECKED, ID_TOOLS_ADDRESS_PEEK,
                                            0) != 0) == peek;
        },
        kUiTimeoutMs));
    Screenshot("e2e-6-toggles.bmp");
}

TEST_F(ShellEndToEndTest, F5RetrievesTheActiveDocumentAgain)
{
    WaitIdle();
    HWND view = s_program->View();
    ASSERT_NE(view, nullptr);
    const std::string title = WindowText(s_program->ChildFrame());
    PostMessageA(view, WM_KEYDOWN, VK_F5, 0x003F0001);
    PostMessageA(view, WM_KEYUP, VK_F5, 0xC03F0001);
    bool sawRun = false;
    EXPECT_TRUE(WaitFor(
        [&] {
            return sawRun = sawRun || s_program->ProgressWindow() != nullptr ||
                            !IsWindowEnabled(s_program->Main());
        },
        kRunTimeoutMs))
        << "F5 started no retrieval";
    WaitIdle();
    EXPECT_EQ(s_program->ProgressWindow(), nullptr);
    EXPECT_EQ(WindowText(s_program->ChildFrame()), title);
}

} // namespace
