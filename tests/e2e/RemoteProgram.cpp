#include "RemoteProgram.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include "res/resource.h"

namespace remote {

namespace {

const char kAppTitle[] = "VexoProcessViewer";
// The static text of a message box.
const int kMessageTextId = 0xFFFF;

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
    ++*reinterpret_cast<DWORD*>(lParam);
    return TRUE;
}

} // namespace

CRemoteProgram::~CRemoteProgram()
{
    if (m_process.hProcess == nullptr) {
        return;
    }
    DWORD exitCode = 0;
    if (!Close(60000, &exitCode)) {
        TerminateProcess(m_process.hProcess, 1);
    }
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

bool CRemoteProgram::Start(std::string* error)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    const std::string exe = ProgramFolder() + "VexoProcessViewer.exe";
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        ProgramFolder().c_str(), &startup, &m_process)) {
        *error = "VexoProcessViewer.exe did not start";
        return false;
    }
    const bool shown = WaitFor(
        [this] {
            m_main = FindTopLevel(Pid(), [](HWND hwnd) {
                return IsWindowVisible(hwnd) && ClassName(hwnd) != "#32770" &&
                       WindowText(hwnd).compare(0, sizeof(kAppTitle) - 1, kAppTitle) == 0;
            });
            return m_main != nullptr && Idle();
        },
        kRunTimeoutMs);
    if (!shown) {
        *error = "the main window did not appear";
    }
    return shown;
}

bool CRemoteProgram::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(m_process.hProcess, exitCode);
    return true;
}

bool CRemoteProgram::Close(DWORD timeoutMs, DWORD* exitCode)
{
    if (IsRunning()) {
        CloseMessageBoxes();
        PostMessageA(m_main, WM_CLOSE, 0, 0);
    }
    return WaitForExit(timeoutMs, exitCode);
}

void CRemoteProgram::CloseMessageBoxes() const
{
    for (HWND box = MessageBoxWindow(); box != nullptr; box = MessageBoxWindow()) {
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitFor([box] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeoutMs);
    }
}

bool CRemoteProgram::IsRunning() const
{
    return m_process.hProcess != nullptr &&
           WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

HWND CRemoteProgram::ToolWindow(const char* caption) const
{
    return FindTopLevelByCaption(Pid(), caption);
}

HWND CRemoteProgram::ProcessTree() const
{
    HWND window = ToolWindow("Windows Processes");
    return window ? GetDlgItem(window, IDC_PROCESS_TREE) : nullptr;
}

HWND CRemoteProgram::ChildFrame() const
{
    HWND client = FindWindowExA(m_main, nullptr, "MDIClient", nullptr);
    return client ? GetWindow(client, GW_CHILD) : nullptr;
}

HWND CRemoteProgram::View() const
{
    HWND child = ChildFrame();
    for (HWND hwnd : child ? ChildWindows(child) : std::vector<HWND>()) {
        if (GetDlgItem(hwnd, IDC_IMAGE_WINDOW) != nullptr) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND CRemoteProgram::ProgressWindow() const
{
    return FindTopLevel(Pid(), [](HWND hwnd) {
        return IsWindowVisible(hwnd) && GetDlgItem(hwnd, IDC_PROGRESS_BAR) != nullptr;
    });
}

HWND CRemoteProgram::MessageBoxWindow() const
{
    return FindTopLevel(Pid(), [](HWND hwnd) {
        return IsWindowVisible(hwnd) && ClassName(hwnd) == "#32770" &&
               WindowText(hwnd) == kAppTitle && GetDlgItem(hwnd, kMessageTextId) != nullptr;
    });
}

bool CRemoteProgram::Idle() const
{
    return IsWindowEnabled(m_main) && SendWithTimeout(m_main, WM_NULL, 0, 0) == 0;
}

bool CRemoteProgram::WaitIdle(DWORD timeoutMs) const
{
    return WaitFor([this] { return Idle() && ProgressWindow() == nullptr; }, timeoutMs);
}

bool CRemoteProgram::WaitForProgress(DWORD timeoutMs) const
{
    return WaitFor([this] { return ProgressWindow() != nullptr; }, timeoutMs);
}

void CRemoteProgram::PostCommand(UINT id) const
{
    PostMessageA(m_main, WM_COMMAND, id, 0);
}

void CRemoteProgram::PostKey(HWND hwnd, UINT key)
{
    const UINT scan = MapVirtualKeyA(key, 0);
    PostMessageA(hwnd, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(hwnd, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
}

void CRemoteProgram::SelectTreeItem(HTREEITEM item) const
{
    PostMessageA(ProcessTree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

bool CRemoteProgram::SelectTreeItemAndWait(HTREEITEM item, DWORD timeoutMs) const
{
    HWND tree = ProcessTree();
    if (SendWithTimeout(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) == reinterpret_cast<LRESULT>(item)) {
        LRESULT other =
            SendWithTimeout(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item));
        if (other == 0) {
            other = SendWithTimeout(tree, TVM_GETNEXTITEM, TVGN_PREVIOUS,
                                    reinterpret_cast<LPARAM>(item));
        }
        if (SendWithTimeout(tree, TVM_SELECTITEM, TVGN_CARET, other, timeoutMs) == -1) {
            return false;
        }
    }
    return SendWithTimeout(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item),
                           timeoutMs) != -1;
}

bool CRemoteProgram::ShowToolWindow(UINT command, const char* caption) const
{
    HWND window = ToolWindow(caption);
    if (window == nullptr) {
        return false;
    }
    if (!IsWindowVisible(window)) {
        PostCommand(command);
    }
    return WaitFor([window] { return IsWindowVisible(window) != FALSE; }, kUiTimeoutMs);
}

bool CRemoteProgram::Find(const char* text) const
{
    if (!ShowToolWindow(ID_TOOLS_FIND_TEXT, "Find Tool")) {
        return false;
    }
    HWND window = ToolWindow("Find Tool");
    SendWithTimeout(GetDlgItem(window, IDC_FIND_TEXT), WM_SETTEXT, 0,
                    reinterpret_cast<LPARAM>(text));
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_FIND_BUTTON, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_FIND_BUTTON)));
    return true;
}

ResourceCounts CRemoteProgram::Resources() const
{
    ResourceCounts counts;
    GetProcessHandleCount(m_process.hProcess, &counts.handles);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot != INVALID_HANDLE_VALUE) {
        THREADENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL more = Thread32First(snapshot, &entry); more;
             more = Thread32Next(snapshot, &entry)) {
            counts.threads += entry.th32OwnerProcessID == Pid() ? 1 : 0;
        }
        CloseHandle(snapshot);
    }
    for (HWND top : TopLevelWindows(Pid())) {
        ++counts.windows;
        EnumChildWindows(top, CountWindow, reinterpret_cast<LPARAM>(&counts.windows));
    }
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(m_process.hProcess,
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
        // Wine leaves PrivateUsage at 0; the committed bytes it reports are the pagefile usage.
        counts.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    }
    return counts;
}

} // namespace remote
