// Worker threads: suspended start, exit codes, the thread object's lifetime.
#include <gtest/gtest.h>

#include "framework/Afx.h"

namespace {

struct WorkerState
{
    volatile LONG nRuns = 0;
    CWinThread* pSeenThread = nullptr;
};

UINT __cdecl CountingWorker(LPVOID pParam)
{
    WorkerState* pState = static_cast<WorkerState*>(pParam);
    pState->pSeenThread = AfxGetThread();
    ::InterlockedIncrement(&pState->nRuns);
    return 1234;
}

TEST(WorkerThreadTest, SuspendedStartRunsOnlyAfterResumeAndKeepsTheObject)
{
    WorkerState state;
    CWinThread* pThread =
        AfxBeginThread(CountingWorker, &state, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    ASSERT_NE(nullptr, pThread->m_hThread);
    EXPECT_NE(0u, pThread->m_nThreadID);
    EXPECT_TRUE(pThread->m_bAutoDelete);
    pThread->m_bAutoDelete = FALSE;

    EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(pThread->m_hThread, 100));
    EXPECT_EQ(0, state.nRuns);
    DWORD dwExitCode = 0;
    EXPECT_TRUE(::GetExitCodeThread(pThread->m_hThread, &dwExitCode));
    EXPECT_EQ((DWORD)STILL_ACTIVE, dwExitCode);

    EXPECT_EQ(1u, pThread->ResumeThread());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 10000));
    EXPECT_EQ(1, state.nRuns);
    EXPECT_EQ(pThread, state.pSeenThread);
    // The object and its handle outlive the thread when auto-deletion is off.
    EXPECT_TRUE(::GetExitCodeThread(pThread->m_hThread, &dwExitCode));
    EXPECT_EQ(1234u, dwExitCode);
    delete pThread;
}

// A thread object that reports its own deletion.
class CReportingThread : public CWinThread
{
public:
    CReportingThread(AFX_THREADPROC pfn, LPVOID pParam, HANDLE hDeleted)
        : CWinThread(pfn, pParam),
          m_hDeleted(hDeleted)
    {
    }
    ~CReportingThread() override { ::SetEvent(m_hDeleted); }

private:
    HANDLE m_hDeleted;
};

TEST(WorkerThreadTest, AutoDeleteRemovesTheObjectWhenTheThreadEnds)
{
    HANDLE hDeleted = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WorkerState state;
    CReportingThread* pThread = new CReportingThread(CountingWorker, &state, hDeleted);
    ASSERT_TRUE(pThread->CreateThread());
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(hDeleted, 10000));
    EXPECT_EQ(1, state.nRuns);
    ::CloseHandle(hDeleted);
}

UINT __cdecl ThrowingWorker(LPVOID)
{
    throw 42;
}

TEST(WorkerThreadTest, AnExceptionEndsTheWorkerWithFailureNotTheProcess)
{
    CWinThread* pThread =
        AfxBeginThread(ThrowingWorker, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, pThread);
    pThread->m_bAutoDelete = FALSE;
    pThread->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(pThread->m_hThread, 10000));
    DWORD dwExitCode = 0;
    EXPECT_TRUE(::GetExitCodeThread(pThread->m_hThread, &dwExitCode));
    EXPECT_EQ((DWORD)-1, dwExitCode);
    delete pThread;
}

} // namespace
