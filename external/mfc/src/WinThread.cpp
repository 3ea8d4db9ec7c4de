// WinThread.cpp: CWinThread: the message pump, idle time and the pre-translation of messages.
#include "ThreadState.h"

bool AfxIsIdleMessage(AFX_THREAD_STATE* pState, const MSG& msg)
{
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
        const bool same = pState->nMsgLast == msg.message && pState->ptCursorLast.x == msg.pt.x &&
                          pState->ptCursorLast.y == msg.pt.y;
        pState->ptCursorLast = msg.pt;
        pState->nMsgLast = msg.message;
        return !same;
    }
    return msg.message != WM_PAINT && msg.message != 0x0118;  // 0x118: the caret's blink timer
}

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() : m_nThreadID(::GetCurrentThreadId()) {}

BOOL CWinThread::InitInstance() { return FALSE; }
int CWinThread::ExitInstance() { return 0; }

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    return CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg);
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount > 0 && AfxGetThreadState()->nTempMapLock == 0) {
        AfxLockTempMaps();
        AfxUnlockTempMaps();
    }
    return lCount <= 0;
}

int CWinThread::Run()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    bool bIdle = true;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = false;
        }
        do {
            if (!AfxPumpMessage())
                return ExitInstance();
            if (AfxIsIdleMessage(pState, pState->msgCur)) {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

CWinThread* AFXAPI AfxGetThread() { return AfxGetApp(); }

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

BOOL AFXAPI AfxPumpMessage()
{
    MSG& msg = AfxGetThreadState()->msgCur;
    if (!::GetMessageW(&msg, nullptr, 0, 0))
        return FALSE;
    if (msg.message == WM_KICKIDLE)
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    const BOOL bHandled = pThread != nullptr ? pThread->PreTranslateMessage(&msg)
                                             : CWnd::WalkPreTranslateTree(nullptr, &msg);
    if (!bHandled) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}
