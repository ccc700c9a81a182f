#pragma once
// One run of the real VexoProcessViewer.exe, worked from outside: started in the program's
// folder, its windows found by caption and control id, its runs waited for, and ended.

#include <windows.h>

#include <string>
#include <vector>

#include "RemoteUi.h"

namespace remote {

// What the program holds at one moment, as far as Wine lets another process count it
// (GetGuiResources is not implemented there).
struct ResourceCounts
{
    DWORD handles = 0;
    DWORD threads = 0;
    DWORD windows = 0;
    SIZE_T privateBytes = 0;
};

class CRemoteProgram
{
public:
    // Everything runs emulated here: allow minutes for a retrieval.
    static const DWORD kRunTimeoutMs = 600000;
    static const DWORD kUiTimeoutMs = 30000;

    CRemoteProgram() = default;
    ~CRemoteProgram();
    CRemoteProgram(const CRemoteProgram&) = delete;
    CRemoteProgram& operator=(const CRemoteProgram&) = delete;

    // Starts the program and waits for its main window to be idle; false with *error if not.
    bool Start(std::string* error);
    // Waits up to timeoutMs for the program to end; true with its exit code when it did.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    // Posts a close to the main window and waits for the program to end.
    bool Close(DWORD timeoutMs, DWORD* exitCode);
    // Presses OK in each message box of the program until none is left.
    void CloseMessageBoxes() const;
    bool IsRunning() const;

    DWORD Pid() const { return m_process.dwProcessId; }
    HWND Main() const { return m_main; }
    HWND ToolWindow(const char* caption) const;
    HWND ProcessTree() const;
    HWND ChildFrame() const;
    HWND View() const;
    HWND ProgressWindow() const;
    HWND MessageBoxWindow() const;

    // The main window answers and is enabled: no run is under way.
    bool Idle() const;
    // Waits until a run has ended and the program is idle again.
    bool WaitIdle(DWORD timeoutMs = kRunTimeoutMs) const;
    // Waits until the progress window of a run is up.
    bool WaitForProgress(DWORD timeoutMs = kUiTimeoutMs) const;
    void PostCommand(UINT id) const;
    // Posts a key press and release to a window, as the keyboard would queue them.
    static void PostKey(HWND hwnd, UINT key);
    // Selects a tree item of the process tree (the program reacts as to a click). Posted, so
    // that the caller can watch the run it starts.
    void SelectTreeItem(HTREEITEM item) const;
    // Selects a tree item and returns when the program has handled the selection, the run it
    // started included. An item that is selected already is first left for a neighbour, so that
    // the selection changes. False when the program did not answer in time.
    bool SelectTreeItemAndWait(HTREEITEM item, DWORD timeoutMs = kRunTimeoutMs) const;
    // Shows a tool window by its toggle command unless it is shown already.
    bool ShowToolWindow(UINT command, const char* caption) const;
    // Shows the Find Tool window, types the text into it and presses Find. Posted, so that the
    // caller can watch the search it starts. False when the window could not be shown.
    bool Find(const char* text) const;

    ResourceCounts Resources() const;

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_main = nullptr;
};

} // namespace remote
