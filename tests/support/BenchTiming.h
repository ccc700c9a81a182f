// Timing pieces shared by the benchmarks: seconds since a start, the median of a set of runs,
// and a pass over the waiting messages.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The middle value; the runs are few, so a copy sorted in place is cheap.
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Polls a running worker without pause until it ends: one waiting message at a time, then the
// worker's exit code, then eachPass (what the user-interface thread does besides).
inline void SpinUntilEnded(HANDLE hThread, const std::function<void()>& eachPass = {})
{
    DWORD code = STILL_ACTIVE;
    do {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) &&
            ::GetMessageA(&msg, nullptr, 0, 0)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::GetExitCodeThread(hThread, &code);
        if (eachPass) {
            eachPass();
        }
    } while (code == STILL_ACTIVE);
}

} // namespace bench
