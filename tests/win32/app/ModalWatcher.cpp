#include "ModalWatcher.h"

namespace shelltest {

void Pump()
{
    CWinApp* pApp = AfxGetApp();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (pApp == nullptr || !pApp->PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    if (pApp != nullptr) {
        pApp->OnIdle(0);
    }
}

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        Pump();
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& check, DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        Pump();
        if (check()) {
            return true;
        }
        if (::GetTickCount() - start >= ms) {
            return false;
        }
        ::Sleep(5);
    }
}

CModalWatcher::CModalWatcher(std::function<HWND()> find, std::function<void(HWND)> act,
                             DWORD timeoutMs)
{
    m_thread = std::thread([this, find, act, timeoutMs] {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < timeoutMs) {
            HWND hwnd = find();
            if (hwnd != nullptr) {
                m_bSeen = true;
                act(hwnd);
                return;
            }
            ::Sleep(10);
        }
    });
}

CModalWatcher::~CModalWatcher()
{
    Join();
}

void CModalWatcher::Join()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

namespace {

struct FindState
{
    const char* className;
    HWND owner;
    const std::function<bool(HWND)>* accept;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    FindState* state = reinterpret_cast<FindState*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof(name));
    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) &&
        lstrcmpiA(name, state->className) == 0 &&
        (state->owner == nullptr || ::GetWindow(hwnd, GW_OWNER) == state->owner) &&
        (!*state->accept || (*state->accept)(hwnd))) {
        state->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindOwnWindow(const char* className, HWND owner, std::function<bool(HWND)> accept)
{
    FindState state = {className, owner, &accept, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

std::string TextOf(HWND hwnd)
{
    char text[1024] = {};
    ::GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

} // namespace shelltest
