// CoreModule.cpp: mfc.dll's own entry: its strings join the application's resource chain.
#include "afxdllx.h"

void AfxJoinCoreResources(HINSTANCE hCoreDll);

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        AFX_MANAGE_STATE(AfxGetAppModuleState());
        AfxJoinCoreResources(hInstance);
    }
    return TRUE;
}
