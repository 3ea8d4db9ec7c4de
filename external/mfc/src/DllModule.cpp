// DllModule.cpp: the entry of a regular DLL, linked into each such DLL (not into mfc.dll).
// The DLL gets a module state of its own; its application object registers with that state,
// and the caller's state is current again once loading is done.
#include "afxdllx.h"

namespace {

// Constructed before every other global of the DLL (its application object included) and made
// current while they are built; DllMain restores the caller's state at the end of attach.
struct DllModuleState {
    AFX_MODULE_STATE state{TRUE};
    AFX_MODULE_STATE* pPrevState = AfxSetModuleState(&state);
};
DllModuleState g_dllModule __attribute__((init_priority(101)));

AFX_EXTENSION_MODULE g_controlDLL = {};

BOOL AttachProcess(HINSTANCE hInstance)
{
    AfxCoreInitModule();
    AfxWinInit(hInstance, nullptr, const_cast<LPWSTR>(L""), 0);

    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && !pApp->InitInstance()) {
        pApp->ExitInstance();
        AfxWinTerm();
        return FALSE;
    }
    AfxInitExtensionModule(g_controlDLL, hInstance);
    new CDynLinkLibrary(g_controlDLL);
    return TRUE;
}

void DetachProcess()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->ExitInstance();
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    AfxWinTerm();
    AfxTermExtensionModule(g_controlDLL, TRUE);
}

}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() { return &g_dllModule.state; }

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    switch (dwReason) {
    case DLL_PROCESS_ATTACH: {
        const BOOL ok = AttachProcess(hInstance);
        AfxSetModuleState(g_dllModule.pPrevState);
        return ok;
    }
    case DLL_PROCESS_DETACH: {
        AFX_MANAGE_STATE(&g_dllModule.state);
        DetachProcess();
        return TRUE;
    }
    case DLL_THREAD_DETACH: {
        AFX_MANAGE_STATE(&g_dllModule.state);
        AfxTermThread();
        return TRUE;
    }
    default:
        return TRUE;
    }
}
