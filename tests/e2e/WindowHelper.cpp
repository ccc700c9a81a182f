// Small console tool for scripts/run.sh: waits for a program's main window, optionally points
// it at its own process, and closes it.
//   VexoWindowHelper wait <caption prefix> <seconds>       main window shown and idle
//   VexoWindowHelper show-own <caption prefix> <seconds>   select the program's own process in
//                                                           its process tree, wait until the
//                                                           document carries the executable's
//                                                           path and its picture is on screen
//   VexoWindowHelper close <caption prefix> <seconds>      close the main window, wait for exit
// Exit code 0 when done, 1 when the time ran out or a step failed (said on stderr).

#include <cstdio>
#include <cstdlib>
#include <string>

#include "RemoteUi.h"
#include "common/PictureGeometry.h"

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
    return remote::WaitFor(
        [&] {
            *main = FindMainWindow(prefix);
            return *main && IsIdle(*main);
        },
        timeoutMs);
}

// The caption of the active child window: the document's title.
std::string DocumentTitle(HWND main)
{
    HWND client = FindWindowExA(main, nullptr, "MDIClient", nullptr);
    HWND child = client ? GetWindow(client, GW_CHILD) : nullptr;
    return child ? remote::WindowText(child) : std::string();
}

// True when the MDI client area shows pixels in the colours of free, reserved or committed pages:
// the composed picture has been painted.
bool PictureOnScreen(HWND main)
{
    HWND client = FindWindowExA(main, nullptr, "MDIClient", nullptr);
    RECT rect = {};
    if (client == nullptr || !GetWindowRect(client, &rect)) {
        return false;
    }
    for (uint32_t colour : {kFreeColour, kReservedColour, kCommittedColour}) {
        if (remote::CountScreenPixels(rect, colour) > 0) {
            return true;
        }
    }
    return false;
}

bool ShowOwnProcess(HWND main, DWORD timeoutMs)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    HWND trees = remote::FindTopLevelByCaption(pid, "Windows Processes");
    HWND tree = trees ? GetDlgItem(trees, 1000) : nullptr;
    if (tree == nullptr) {
        std::fprintf(stderr, "VexoWindowHelper: no process tree\n");
        return false;
    }
    char prefix[32];
    std::snprintf(prefix, sizeof(prefix), "[0x%08lx] : ", static_cast<unsigned long>(pid));
    const std::string prefixText = prefix;
    for (const remote::TreeItem& item : remote::ReadTree(tree)) {
        if (item.text.compare(0, prefixText.size(), prefixText) != 0) {
            continue;
        }
        // The tree selected an item when it first got the focus, while the frame was still being
        // created and selections were ignored. When that item is the program's own, selecting it
        // again changes nothing and notifies nobody, so the selection is cleared first (which
        // the program ignores, as there is no selected item).
        const LRESULT caret = remote::SendWithTimeout(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
        if (caret == reinterpret_cast<LRESULT>(item.handle)) {
            PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, 0);
        }
        // Posted: the selection starts a retrieval that runs inside the program's loop.
        PostMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.handle));

        // Done when the runner has titled the document with the executable's path.
        const std::string path = item.text.substr(prefixText.size());
        if (!remote::WaitFor([&] { return DocumentTitle(main) == path && IsIdle(main); },
                             timeoutMs)) {
            std::fprintf(stderr, "VexoWindowHelper: the document's title stayed \"%s\"\n",
                         DocumentTitle(main).c_str());
            return false;
        }
        if (!remote::WaitFor([&] { return PictureOnScreen(main); }, timeoutMs)) {
            std::fprintf(stderr, "VexoWindowHelper: no picture on screen\n");
            return false;
        }
        return true;
    }
    std::fprintf(stderr, "VexoWindowHelper: the process tree has no item for process 0x%08lx\n",
                 static_cast<unsigned long>(pid));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: VexoWindowHelper wait|show-own|close <caption prefix> <seconds>\n");
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
        const bool ended =
            process == nullptr || WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
        if (process != nullptr) {
            CloseHandle(process);
        }
        return ended ? 0 : 1;
    }
    std::fprintf(stderr, "VexoWindowHelper: unknown command %s\n", command.c_str());
    return 2;
}
