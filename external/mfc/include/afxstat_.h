// afxstat_.h: module state, the per-module record that says which application object,
// instance and resource chain the framework's code serves.
#pragma once

#include "afx.h"

class CWinApp;
class CDynLinkLibrary;

class AFX_CORE_API AFX_MODULE_STATE {
public:
    explicit AFX_MODULE_STATE(BOOL bDLL);
    ~AFX_MODULE_STATE();

    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    LPCWSTR m_lpszCurrentAppName = nullptr;
    BYTE m_bDLL;
    BYTE m_bSystem = FALSE;
    BYTE m_bInitialized = FALSE;  // AfxCoreInitModule ran for this module

    // Extension libraries registered with this state, most recent first.
    CDynLinkLibrary* m_libraryList = nullptr;

    // The module's activation context (from its manifest, made by AfxWinInit): active while code runs
    // under this state. Null when the module has no manifest: the process default is active then.
    HANDLE m_hActCtx = nullptr;
    void CreateActivationContext();

private:
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;
};

// The state current on this thread: the one last set, else the application's (the exe's).
AFX_CORE_API AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
// Makes pNewState current on this thread (nullptr: the application's) and returns the previous one.
AFX_CORE_API AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);
AFX_CORE_API AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();
// The state of the module this code is linked into; defined by the regular-DLL entry library.
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();

// Switches to a module state, and activates its activation context, for the length of a scope.
class AFX_CORE_API AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState) noexcept;
    ~AFX_MAINTAIN_STATE2();

private:
    AFX_MODULE_STATE* m_pPrevModuleState;
    ULONG_PTR m_ulActCtxCookie = 0;
    BOOL m_bValidActCtxCookie = FALSE;
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);
