#pragma once
// Helpers of the application's window tests: message pumping as the program's loop does it,
// waiting, and a watcher thread that deals with a modal window (message box, popup menu) which
// the test thread is blocked behind.

#include <functional>
#include <string>
#include <thread>

#include "framework/Afx.h"

namespace shelltest {

// Dispatches every waiting message through the application's pre-translation, then runs one
// idle pass (toolbar update handlers).
void Pump();
// Pumps for about ms milliseconds.
void PumpFor(DWORD ms);
// Pumps until check is true or ms have passed; true when it was.
bool PumpUntil(const std::function<bool()>& check, DWORD ms);

// Runs on its own thread until a visible window of this process matching find appears (or
// timeoutMs passes), then calls act with it once. Join before reading what act recorded.
class CModalWatcher
{
public:
    CModalWatcher(std::function<HWND()> find, std::function<void(HWND)> act,
                  DWORD timeoutMs = 20000);
    ~CModalWatcher();
    bool Seen() const { return m_bSeen; }
    void Join();

private:
    std::thread m_thread;
    volatile bool m_bSeen = false;
};

// A visible top-level window of this process whose class is className, (when given) whose
// owner is owner, and (when given) that accept takes.
HWND FindOwnWindow(const char* className, HWND owner = nullptr,
                   std::function<bool(HWND)> accept = std::function<bool(HWND)>());
std::string TextOf(HWND hwnd);

} // namespace shelltest
