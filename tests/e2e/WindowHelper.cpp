// Small console tool for scripts/run.sh: waits for a program's main window, optionally points
// it at its own process, and closes it.
//   VexoWindowHelper wait <caption prefix> <seconds>       main window shown and idle
//   VexoWindowHelper show-own <caption prefix> <seconds>   select the program's own process in
//                                                           its process tree, wait for the picture
//   VexoWindowHelper close <caption prefix> <seconds>      close the main window, wait for exit
// Exit code 0 when done, 1 when the time ran out.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "RemoteUi.h"

namespace {

struct MainWindowSearch
{
    const std::string* prefix;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND hwnd, LPARAM lParam)
{
    MainWindowSearch* search = reinterpret_cast<MainWindowSearch*>(lParam);
    if (IsWindowVisible(hwnd) && remote::ClassName(hwnd) != "#32770" &&
        remote::WindowText(hwnd).compare(0, search->prefix->size(), *search->prefix) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window (not a dialog) whose caption starts with prefix.
HWND FindMainWindow(const std::string& prefix)
{
    MainWindowSearch search = {&prefix, nullptr};
    EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsIdle(HWND hwnd)
{
    return IsWindowEnabled(hwnd) && remote::SendWithTimeout(hwnd, WM_NULL, 0, 0, 2000) == 0;
}

bool WaitMain(const std::string& prefix, DWORD timeoutMs, HWND* main)
{
    return remote::WaitFor([&] { *main = FindMainWindow(prefix); return *main && IsIdle(*main); },
                           timeoutMs);
}

bool ShowOwnProcess(HWND main, DWORD timeoutMs)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HWND trees = remote::FindTopLevelByCaption(pid, "Windows Processes");
    HWND tree = trees ? GetDlgItem(trees, 1000) : nullptr;
    if (tree == nullptr) {
        return false;
    }
    char prefix[32];
    std::snprintf(prefix, sizeof(prefix), "[0x%08lx] : ", static_cast<unsigned long>(pid));
    for (const remote::TreeItem& item : remote::ReadTree(tree)) {
        if (item.text.compare(0, std::string(prefix).size(), prefix) == 0) {
            // Posted: the selection starts a retrieval that runs inside the program's loop.
            PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.handle));
            Sleep(500);
            return remote::WaitFor([&] { return IsIdle(main); }, timeoutMs);
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: VexoWindowHelper wait|show-own|close <caption prefix> <seconds>\n");
        return 2;
    }
    const std::string command = argv[1];
    const std::string prefix = argv[2];
    const DWORD timeoutMs = static_cast<DWORD>(std::atoi(argv[3])) * 1000;

    HWND main = nullptr;
    if (command == "wait" || command == "show-own") {
        if (!WaitMain(prefix, timeoutMs, &main)) {
            return 1;
        }
        if (command == "show-own" && !ShowOwnProcess(main, timeoutMs)) {
            return 1;
        }
        Sleep(2500); // let the windows finish painting (a million pixels, emulated)
        return 0;
    }
    if (command == "close") {
        main = FindMainWindow(prefix);
        if (main == nullptr) {
            return 0;
        }
        DWORD pid = 0;
        GetWindowThreadProcessId(main, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        PostMessageA(main, WM_CLOSE, 0, 0);
        const bool ended = process == nullptr || WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
        if (process != nullptr) {
            CloseHandle(process);
        }
        return ended ? 0 : 1;
    }
    std::fprintf(stderr, "VexoWindowHelper: unknown command %s\n", command.c_str());
    return 2;
}
