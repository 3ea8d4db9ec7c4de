// ThreadState.h: what the framework keeps per thread (inside mfc.dll only).
#pragma once

#include "afxwin.h"

#include <unordered_map>

struct AFX_THREAD_STATE {
    AFX_MODULE_STATE* pModuleState = nullptr;  // null: the application's
    int nTempMapLock = 0;

    // Window objects of this thread's windows; the temporary ones are owned here.
    std::unordered_map<HWND, CWnd*> permanentMap;
    std::unordered_map<HWND, CWnd*> temporaryMap;

    // Window creation through CWnd: the object the next window created is attached to.
    CWnd* pWndInit = nullptr;
    HHOOK hHookOldCbtFilter = nullptr;

    // Control notifications to this window are dropped while UpdateData runs on it.
    HWND hLockoutNotifyWindow = nullptr;
    // The message a window procedure is handling, for Default().
    MSG lastSentMsg{};
    // The message the pump retrieved last.
    MSG msgCur{};
    POINT ptCursorLast{};
    UINT nMsgLast = 0;

    ~AFX_THREAD_STATE();
};

AFX_THREAD_STATE* AfxGetThreadState();
// Messages after which idle work is worth doing again: not a repeated mouse move, not a paint.
bool AfxIsIdleMessage(AFX_THREAD_STATE* pState, const MSG& msg);
// Deletes the temporary window objects (their windows stay).
void AfxDeleteTemporaryWindows(AFX_THREAD_STATE* pState);
