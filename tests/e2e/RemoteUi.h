#pragma once
// Working another process's windows from outside, as a person would: finding its windows,
// reading tree and list controls through memory lent inside that process, waiting for states,
// moving the real pointer, and saving pictures of the Wine desktop.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace remote {

// Calls check every 20 ms until it returns true or timeoutMs has passed; true when it did.
bool WaitFor(const std::function<bool()>& check, DWORD timeoutMs);

// Visible or hidden top-level windows of process pid whose caption matches.
HWND FindTopLevel(DWORD pid, const std::function<bool(HWND)>& match);
HWND FindTopLevelByCaption(DWORD pid, const std::string& caption);
std::vector<HWND> TopLevelWindows(DWORD pid);

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
// First child (any depth) of parent with that class.
HWND FindDescendantByClass(HWND parent, const std::string& className);
std::vector<HWND> ChildWindows(HWND parent);

// A buffer inside another process, freed on destruction.
class CRemoteBuffer
{
public:
    CRemoteBuffer(HWND ownerWindow, size_t size);
    ~CRemoteBuffer();
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    bool IsValid() const { return m_address != nullptr; }
    uintptr_t Address(size_t offset = 0) const
    {
        return reinterpret_cast<uintptr_t>(m_address) + offset;
    }
    bool Write(size_t offset, const void* data, size_t size);
    bool Read(size_t offset, void* data, size_t size) const;
    // Reads a zero-terminated string at an address of the other process.
    std::string ReadString(uintptr_t address, size_t maxSize) const;

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

struct TreeItem
{
    HTREEITEM handle = nullptr;
    std::string text;
    std::vector<TreeItem> children;
};

// The root items of a tree control with their direct children.
std::vector<TreeItem> ReadTree(HWND tree);
std::string TreeItemText(HWND tree, HTREEITEM item);

int ListItemCount(HWND list);
std::string ListItemText(HWND list, int item, int subItem);

// Sends with a time limit, so that a blocked program cannot hang the driver; the result, or
// (LRESULT)-1 when the send failed or timed out.
LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        UINT timeoutMs = 10000);

// Moves the real pointer to a screen point, by SetCursorPos and by an absolute move of the
// input stream, so that the window under it sees a pointer move.
void MovePointer(POINT screen);
// Presses and releases the left button at the current pointer position.
void ClickLeft();

// How many pixels of a screen rectangle have exactly the colour (COLORREF); -1 on failure.
int CountScreenPixels(const RECT& rect, COLORREF colour);

// Saves the whole desktop as a 24-bit BMP file; false when it could not be written.
bool SaveDesktopBitmap(const std::string& path);

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();

} // namespace remote
