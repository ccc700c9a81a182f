// Times what a user waits for in the real program, from the action to the finished result on
// screen (the program idle and nothing of it left to paint): picking the helper target in the
// process tree, a click on the picture until the memory contents list shows the page, a resting
// pointer until the tip shows (counted after the 750 ms rest), Goto until the list shows the
// address, and F5 with two documents open. Prints medians; checks nothing.
//
//   VexoInteractionBench [runs]

#include <windows.h>

#include <algorithm>
#include <chrono>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "PicturePoint.h"
#include "RemoteUi.h"
#include "res/resource.h"
#include "tests/support/TargetProcess.h"

namespace {

using Clock = std::chrono::steady_clock;

const char kAppTitle[] = "VexoProcessViewer";
const DWORD kHoverDelayMs = 750;
const DWORD kLongWaitMs = 600000;
const DWORD kStepLimitMs = 20000;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Median of the runs that finished (a failed run is -1); -1 when none did.
double Median(std::vector<double> values)
{
    values.erase(std::remove(values.begin(), values.end(), -1.0), values.end());
    if (values.empty()) {
        return -1.0;
    }
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string Hex8(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08x", value);
    return text;
}

// Checks every millisecond or so until check holds; false after limitMs. Checks that ask the
// program something keep its thread busy answering, so they are not made any more often.
bool Poll(const std::function<bool()>& check, DWORD limitMs)
{
    const auto start = Clock::now();
    while (!check()) {
        if (MillisecondsSince(start) > limitMs) {
            return false;
        }
        Sleep(1);
    }
    return true;
}

// No window of the tree under root (root included) waits to be painted.
bool NothingToPaint(HWND root)
{
    if (root == nullptr) {
        return true;
    }
    if (IsWindowVisible(root) && GetUpdateRect(root, nullptr, FALSE)) {
        return false;
    }
    for (HWND child : remote::ChildWindows(root)) {
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
            return false;
        }
    }
    return true;
}

// The real program beside the helper target, worked through its windows.
class CProgram
{
public:
    bool Start(std::string* error)
    {
        if (!m_target.Start(error)) {
            return false;
        }
        STARTUPINFOA startup = {};
        startup.cb = sizeof(startup);
        const std::string exe = remote::ProgramFolder() + "VexoProcessViewer.exe";
        std::string commandLine = "\"" + exe + "\"";
        if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            remote::ProgramFolder().c_str(), &startup, &m_process)) {
            *error = "VexoProcessViewer.exe did not start";
            return false;
        }
        if (!remote::WaitFor([this] { return (m_main = FindMain()) != nullptr && Idle(); },
                             kLongWaitMs)) {
            *error = "the main window did not appear";
            return false;
        }
        return true;
    }

    void Stop()
    {
        if (m_process.hProcess != nullptr) {
            PostMessageA(m_main, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(m_process.hProcess, 60000) != WAIT_OBJECT_0) {
                TerminateProcess(m_process.hProcess, 1);
            }
            CloseHandle(m_process.hThread);
            CloseHandle(m_process.hProcess);
        }
        m_target.Stop();
    }

    const CTargetProcess& Target() const { return m_target; }
    HWND Main() const { return m_main; }
    DWORD Pid() const { return m_process.dwProcessId; }

    HWND ToolWindow(const char* caption) const
    {
        return remote::FindTopLevelByCaption(Pid(), caption);
    }
    HWND MemoryList() const { return GetDlgItem(ToolWindow("Memory Contents"), IDC_MEMORY_LIST); }

    HWND ActiveView() const
    {
        HWND client = FindWindowExA(m_main, nullptr, "MDIClient", nullptr);
        HWND child = client ? GetWindow(client, GW_CHILD) : nullptr;
        for (HWND hwnd : remote::ChildWindows(child)) {
            if (GetDlgItem(hwnd, IDC_IMAGE_WINDOW) != nullptr) {
                return hwnd;
            }
        }
        return nullptr;
    }
    HWND Image() const { return GetDlgItem(ActiveView(), IDC_IMAGE_WINDOW); }

    bool ProgressShown() const
    {
        return remote::FindTopLevel(Pid(), [](HWND hwnd) {
                   return IsWindowVisible(hwnd) && GetDlgItem(hwnd, IDC_PROGRESS_BAR) != nullptr;
               }) != nullptr;
    }

    // Everything queued so far dispatched, no run under way.
    bool Idle() const
    {
        return IsWindowEnabled(m_main) && remote::SendWithTimeout(m_main, WM_NULL, 0, 0) == 0;
    }

    // Idle, and the frame with its windows and the memory contents window all painted.
    bool Settled() const
    {
        return !ProgressShown() && NothingToPaint(m_main) &&
               NothingToPaint(ToolWindow("Memory Contents")) && Idle();
    }

    // Idle, and the active view (picture, tips, labels) and the memory contents window painted:
    // what a click, a Goto or a rest changes, checked at less cost than the whole frame.
    bool ViewSettled() const
    {
        return NothingToPaint(ActiveView()) && NothingToPaint(ToolWindow("Memory Contents")) &&
               Idle();
    }

    std::string FirstListAddress() const
    {
        HWND list = MemoryList();
        return list && remote::ListItemCount(list) > 0 ? remote::ListItemText(list, 0, 0)
                                                       : std::string();
    }

    void Command(UINT id) const { PostMessageA(m_main, WM_COMMAND, id, 0); }

    HTREEITEM TreeItemOf(DWORD pid) const
    {
        char prefix[32];
        std::snprintf(prefix, sizeof(prefix), "[0x%08lx] : ", static_cast<unsigned long>(pid));
        for (const remote::TreeItem& item : remote::ReadTree(Tree())) {
            if (item.text.compare(0, std::string(prefix).size(), prefix) == 0) {
                return item.handle;
            }
        }
        return nullptr;
    }
    HWND Tree() const { return GetDlgItem(ToolWindow("Windows Processes"), IDC_PROCESS_TREE); }

    // Screen point inside the pixel of page after a Goto to gotoAddress: zoom 10, centred.
    POINT PointAfterGoto(uint32_t gotoAddress, uint32_t page) const
    {
        return remote::PictureScreenPoint(Image(), gotoAddress, page);
    }

    // Moves the tool windows that cover a screen point to the bottom of the screen.
    void Uncover(POINT point) const { remote::Uncover(point, Image(), m_main); }

private:
    HWND FindMain() const
    {
        return remote::FindTopLevel(Pid(), [](HWND hwnd) {
            return IsWindowVisible(hwnd) && remote::ClassName(hwnd) != "#32770" &&
                   remote::WindowText(hwnd).compare(0, sizeof(kAppTitle) - 1, kAppTitle) == 0;
        });
    }

    CTargetProcess m_target;
    PROCESS_INFORMATION m_process = {};
    HWND m_main = nullptr;
};

// Time from an action that starts a run until the run is over and everything is painted; -1
// when no run was seen.
double TimeRun(const CProgram& program, const std::function<void()>& action)
{
    const auto start = Clock::now();
    action();
    if (!Poll([&] { return program.ProgressShown() || !IsWindowEnabled(program.Main()); },
              kStepLimitMs)) {
        return -1.0;
    }
    if (!Poll([&] { return program.Settled(); }, kLongWaitMs)) {
        return -1.0;
    }
    return MillisecondsSince(start);
}

// Time from an action until the list starts at address and everything is painted.
double TimeListing(const CProgram& program, const std::string& address,
                   const std::function<void()>& action)
{
    const auto start = Clock::now();
    action();
    if (!Poll([&] { return program.FirstListAddress() == address; }, kStepLimitMs)) {
        std::printf("  (the list did not come to %s; it starts at %s)\n", address.c_str(),
                    program.FirstListAddress().c_str());
        return -1.0;
    }
    if (!Poll([&] { return program.ViewSettled(); }, kStepLimitMs)) {
        std::printf("  (the view or the memory contents window did not settle)\n");
        return -1.0;
    }
    return MillisecondsSince(start);
}

void Print(const char* what, const std::vector<double>& times)
{
    std::printf("%-58s %8.1f ms  (", what, Median(times));
    for (size_t i = 0; i < times.size(); ++i) {
        std::printf("%s%.0f", i ? " " : "", times[i]);
    }
    std::printf(")\n");
}

void PressGoto(const CProgram& program)
{
    HWND dialog = program.ToolWindow("Goto Address");
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_GOTO_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_GOTO_BUTTON)));
}

void TypeGotoAddress(const CProgram& program, const std::string& text)
{
    HWND edit = GetDlgItem(program.ToolWindow("Goto Address"), IDC_GOTO_ADDRESS_EDIT);
    remote::SendWithTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

double Pick(const CProgram& program, HTREEITEM item)
{
    return TimeRun(program, [&] {
        PostMessageA(program.Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    });
}

// Picks the target and the program's own process in turn, the target first and last.
std::vector<double> PickProcesses(const CProgram& program, int runs)
{
    std::vector<double> times;
    const HTREEITEM target = program.TreeItemOf(program.Target().GetProcessId());
    const HTREEITEM own = program.TreeItemOf(program.Pid());
    for (int i = 0; i <= 2 * runs; ++i) {
        times.push_back(Pick(program, i % 2 == 0 ? target : own));
    }
    return times;
}

std::vector<double> Gotos(const CProgram& program, uint32_t marker, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const uint32_t address = marker + 3 + 16 * (i % 2);
        TypeGotoAddress(program, Hex8(address));
        times.push_back(TimeListing(program, Hex8(address), [&] { PressGoto(program); }));
    }
    return times;
}

// Clicks on pages in turn, each some pages from the marker's: within its allocation the
// attribute boxes stay as they are, across its start they change.
std::vector<double> Clicks(const CProgram& program, uint32_t marker, int runs,
                           const std::vector<int>& pageSteps)
{
    std::vector<double> times;
    const uint32_t gotoAddress = marker + 3;
    for (int i = 0; i < runs; ++i) {
        const uint32_t page = (marker & ~0xFFFu) + 0x1000u * pageSteps[i % pageSteps.size()];
        const POINT point = program.PointAfterGoto(gotoAddress, page);
        program.Uncover(point);
        remote::MovePointer(point);
        Sleep(kHoverDelayMs + 500); // the tips of the resting pointer come and go first
        Poll([&] { return program.ViewSettled(); }, kStepLimitMs);
        times.push_back(TimeListing(program, Hex8(page), [] { remote::ClickLeft(); }));
    }
    return times;
}

// A new pointer position over the picture; the tip shows after the rest.
std::vector<double> Hovers(const CProgram& program, uint32_t marker, int runs)
{
    std::vector<double> times;
    HWND tip = GetDlgItem(program.ActiveView(), 0);
    POINT point = program.PointAfterGoto(marker + 3, marker & ~0xFFFu);
    for (int i = 0; i < runs; ++i) {
        point.x += (i % 2) ? -2 : 2;
        const auto start = Clock::now();
        remote::MovePointer(point);
        if (!Poll([&] { return !IsWindowVisible(tip); }, kStepLimitMs) ||
            !Poll([&] { return IsWindowVisible(tip); }, kStepLimitMs) ||
            !Poll([&] { return program.ViewSettled(); }, kStepLimitMs)) {
            times.push_back(-1.0);
            continue;
        }
        times.push_back(MillisecondsSince(start) - kHoverDelayMs);
        Sleep(200);
    }
    return times;
}

std::vector<double> Refreshes(const CProgram& program, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        HWND view = program.ActiveView();
        times.push_back(TimeRun(program, [&] {
            PostMessageA(view, WM_KEYDOWN, VK_F5, 0x003F0001);
            PostMessageA(view, WM_KEYUP, VK_F5, 0xC03F0001);
        }));
    }
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    CProgram program;
    std::string error;
    if (!program.Start(&error)) {
        std::printf("%s\n", error.c_str());
        program.Stop();
        return 1;
    }
    program.Command(ID_TOOLS_MEMORY_CONTENTS);
    program.Command(ID_TOOLS_GOTO_ADDRESS);
    remote::WaitFor(
        [&] {
            return IsWindowVisible(program.ToolWindow("Goto Address")) &&
                   IsWindowVisible(program.ToolWindow("Memory Contents"));
        },
        kStepLimitMs);
    const uint32_t marker = program.Target().Address("marker_ascii");

    // The finished result includes the paint: make sure a pending paint of the program's windows
    // can be seen from here.
    InvalidateRect(program.Main(), nullptr, FALSE);
    const bool seen = GetUpdateRect(program.Main(), nullptr, FALSE) != FALSE;
    std::printf("pending paints of the program seen from here: %s\n", seen ? "yes" : "no");

    std::printf("interactions in the real program, action to finished result, medians of %d "
                "(each run in brackets):\n",
                runs);
    Print("pick a process in the tree (one document open)", PickProcesses(program, runs));
    Print("Goto -> memory contents listing filled", Gotos(program, marker, runs));
    Print("click on the picture -> memory contents listing filled",
          Clicks(program, marker, runs, {0, 1, 2}));
    Print("  the same across a region's edge (attribute boxes change)",
          Clicks(program, marker, runs, {-1, 0}));
    Print("resting pointer -> tip shown (after the 750 ms rest)", Hovers(program, marker, runs));

    // A second, empty document; picking the target gives it the target too.
    program.Command(ID_FILE_NEW);
    remote::WaitFor([&] { return program.Idle(); }, kStepLimitMs);
    Pick(program, program.TreeItemOf(program.Pid()));
    Pick(program, program.TreeItemOf(program.Target().GetProcessId()));
    Print("F5 with two documents open", Refreshes(program, runs));

    program.Stop();
    return 0;
}
