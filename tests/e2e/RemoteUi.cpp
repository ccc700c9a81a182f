#include "RemoteUi.h"

#include <cstdio>
#include <memory>

namespace remote {

bool WaitFor(const std::function<bool()>& check, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (check()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(20);
    }
}

namespace {

struct EnumState
{
    DWORD pid;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lParam)
{
    EnumState* state = reinterpret_cast<EnumState*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == state->pid) {
        state->windows->push_back(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    std::vector<HWND> windows;
    EnumState state = {pid, &windows};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return windows;
}

HWND FindTopLevel(DWORD pid, const std::function<bool(HWND)>& match)
{
    for (HWND hwnd : TopLevelWindows(pid)) {
        if (match(hwnd)) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND FindTopLevelByCaption(DWORD pid, const std::string& caption)
{
    return FindTopLevel(pid, [&](HWND hwnd) { return WindowText(hwnd) == caption; });
}

std::string WindowText(HWND hwnd)
{
    char text[4096] = {};
    // WM_GETTEXT is copied across processes; GetWindowText of another process's control is not.
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 10000, &copied)) {
        return std::string();
    }
    return std::string(text);
}

std::string ClassName(HWND hwnd)
{
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return std::string(name);
}

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND FindDescendantByClass(HWND parent, const std::string& className)
{
    for (HWND hwnd : ChildWindows(parent)) {
        if (_stricmp(ClassName(hwnd).c_str(), className.c_str()) == 0) {
            return hwnd;
        }
    }
    return nullptr;
}

CRemoteBuffer::CRemoteBuffer(HWND ownerWindow, size_t size)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(ownerWindow, &pid);
    m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_process != nullptr) {
        m_address =
            VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
}

CRemoteBuffer::~CRemoteBuffer()
{
    if (m_address != nullptr) {
        VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
    }
    if (m_process != nullptr) {
        CloseHandle(m_process);
    }
}

bool CRemoteBuffer::Write(size_t offset, const void* data, size_t size)
{
    SIZE_T done = 0;
    return m_address != nullptr &&
           WriteProcessMemory(m_process, reinterpret_cast<void*>(Address(offset)), data, size,
                              &done) &&
           done == size;
}

bool CRemoteBuffer::Read(size_t offset, void* data, size_t size) const
{
    SIZE_T done = 0;
    return m_address != nullptr &&
           ReadProcessMemory(m_process, reinterpret_cast<void*>(Address(offset)), data, size,
                             &done) &&
           done == size;
}

std::string CRemoteBuffer::ReadString(uintptr_t address, size_t maxSize) const
{
    std::unique_ptr<char[]> text(new char[maxSize + 1]());
    SIZE_T done = 0;
    if (address == 0 || !ReadProcessMemory(m_process, reinterpret_cast<void*>(address), text.get(),
                                           maxSize, &done)) {
        return std::string();
    }
    text[done < maxSize ? done : maxSize] = '\0';
    return std::string(text.get());
}

LRESULT SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &result)) {
        return static_cast<LRESULT>(-1);
    }
    return static_cast<LRESULT>(result);
}

namespace {

constexpr size_t kTextCapacity = 2048;

HTREEITEM NextTreeItem(HWND tree, UINT relation, HTREEITEM item)
{
    const LRESULT next =
        SendWithTimeout(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item));
    return next == static_cast<LRESULT>(-1) ? nullptr : reinterpret_cast<HTREEITEM>(next);
}

} // namespace

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    CRemoteBuffer buffer(tree, sizeof(TVITEMA) + kTextCapacity);
    if (!buffer.IsValid()) {
        return std::string();
    }
    TVITEMA request = {};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = reinterpret_cast<LPSTR>(buffer.Address(sizeof(TVITEMA)));
    request.cchTextMax = static_cast<int>(kTextCapacity);
    buffer.Write(0, &request, sizeof(request));
    if (SendWithTimeout(tree, TVM_GETITEMA, 0, static_cast<LPARAM>(buffer.Address())) <= 0) {
        return std::string();
    }
    TVITEMA answer = {};
    buffer.Read(0, &answer, sizeof(answer));
    // The control may answer with a pointer to its own copy of the text.
    return buffer.ReadString(reinterpret_cast<uintptr_t>(answer.pszText), kTextCapacity);
}

std::vector<TreeItem> ReadTree(HWND tree)
{
    std::vector<TreeItem> roots;
    for (HTREEITEM root = NextTreeItem(tree, TVGN_ROOT, nullptr); root != nullptr;
         root = NextTreeItem(tree, TVGN_NEXT, root)) {
        TreeItem item;
        item.handle = root;
        item.text = TreeItemText(tree, root);
        for (HTREEITEM child = NextTreeItem(tree, TVGN_CHILD, root); child != nullptr;
             child = NextTreeItem(tree, TVGN_NEXT, child)) {
            TreeItem module;
            module.handle = child;
            module.text = TreeItemText(tree, child);
            item.children.push_back(module);
        }
        roots.push_back(item);
    }
    return roots;
}

int ListItemCount(HWND list)
{
    return static_cast<int>(SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListItemText(HWND list, int item, int subItem)
{
    CRemoteBuffer buffer(list, sizeof(LVITEMA) + kTextCapacity);
    if (!buffer.IsValid()) {
        return std::string();
    }
    LVITEMA request = {};
    request.iSubItem = subItem;
    request.pszText = reinterpret_cast<LPSTR>(buffer.Address(sizeof(LVITEMA)));
    request.cchTextMax = static_cast<int>(kTextCapacity);
    buffer.Write(0, &request, sizeof(request));
    if (SendWithTimeout(list, LVM_GETITEMTEXTA, item, static_cast<LPARAM>(buffer.Address())) ==
        static_cast<LRESULT>(-1)) {
        return std::string();
    }
    LVITEMA answer = {};
    buffer.Read(0, &answer, sizeof(answer));
    return buffer.ReadString(reinterpret_cast<uintptr_t>(answer.pszText), kTextCapacity);
}

void MovePointer(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(screen.y, 65536, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

void ClickLeft()
{
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

int CountScreenPixels(const RECT& rect, COLORREF colour)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return -1;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::unique_ptr<DWORD[]> bits(new DWORD[static_cast<size_t>(width) * height]);
    const int lines = GetDIBits(memory, bitmap, 0, height, bits.get(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (lines != height) {
        return -1;
    }
    // DIB pixels are 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int count = 0;
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        count += (bits[i] & 0xFFFFFF) == wanted ? 1 : 0;
    }
    return count;
}

bool SaveDesktopBitmap(const std::string& path)
{
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN) > 0
                          ? GetSystemMetrics(SM_CXVIRTUALSCREEN)
                          : GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN) > 0
                           ? GetSystemMetrics(SM_CYVIRTUALSCREEN)
                           : GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return false;
    }
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height; // bottom-up, as BMP files store it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = ((width * 3) + 3) & ~3u;
    info.biSizeImage = stride * height;
    std::unique_ptr<BYTE[]> bits(new BYTE[info.biSizeImage]);
    const int lines = GetDIBits(memory, bitmap, 0, height, bits.get(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (lines != height) {
        return false;
    }

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                         std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                         std::fwrite(bits.get(), info.biSizeImage, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    const size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

} // namespace remote
