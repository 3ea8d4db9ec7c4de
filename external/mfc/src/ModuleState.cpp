// ModuleState.cpp: module states, the current state of each thread, the application object,
// the resource chain and the module entry and exit functions.
#include "afxdllx.h"

#include "ThreadState.h"

#include <Win32/Modulos.h>

#include <initializer_list>
#include <string>

namespace {

thread_local AFX_THREAD_STATE t_threadState;

// mfc.dll in the resource chain of every module state, behind the modules' own resources.
AFX_EXTENSION_MODULE g_coreDLL = {};

// A string resource exists only if its entry in the 16-string block is non-empty.
bool HasString(HINSTANCE hInstance, UINT nID)
{
    LPCWSTR pch = nullptr;
    return hInstance != nullptr && ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&pch), 0) > 0;
}

bool HasResource(HINSTANCE hInstance, LPCWSTR lpszName, LPCWSTR lpszType)
{
    return hInstance != nullptr && ::FindResourceW(hInstance, lpszName, lpszType) != nullptr;
}

// MFC's search order: the state's own resource handle (unless it is a system module), its
// non-system extension libraries, then its system ones.
template <typename Has>
HINSTANCE SearchResourceChain(Has has)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (!pState->m_bSystem && has(pState->m_hCurrentResourceHandle))
        return pState->m_hCurrentResourceHandle;
    for (const BOOL bSystem : {FALSE, TRUE}) {
        for (CDynLinkLibrary* pDLL = pState->m_libraryList; pDLL != nullptr; pDLL = pDLL->m_pNextDLL) {
            if (!pDLL->m_bSystem == !bSystem && has(pDLL->m_hResource))
                return pDLL->m_hResource;
        }
    }
    return nullptr;
}

}  // namespace

AFX_THREAD_STATE* AfxGetThreadState() { return &t_threadState; }

AFX_THREAD_STATE::~AFX_THREAD_STATE() { AfxDeleteTemporaryWindows(this); }

AFX_MODULE_STATE::AFX_MODULE_STATE(BOOL bDLL) : m_bDLL(static_cast<BYTE>(bDLL)) {}

AFX_MODULE_STATE::~AFX_MODULE_STATE()
{
    while (m_libraryList != nullptr)
        delete m_libraryList;
    if (m_hActCtx != nullptr)
        ::ReleaseActCtx(m_hActCtx);
}

// From the module's manifest resource: a DLL's (2, or 3 when it binds no static imports), else a
// program's (1).
void AFX_MODULE_STATE::CreateActivationContext()
{
    if (m_hActCtx != nullptr)
        ::ReleaseActCtx(m_hActCtx);
    m_hActCtx = nullptr;
    const std::wstring path = Win32::RutaDelModulo(m_hCurrentInstanceHandle);
    ACTCTXW actCtx = {};
    actCtx.cbSize = sizeof actCtx;
    actCtx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    actCtx.lpSource = path.c_str();
    actCtx.hModule = m_hCurrentInstanceHandle;
    for (const LPCWSTR resource : {ISOLATIONAWARE_MANIFEST_RESOURCE_ID, ISOLATIONAWARE_NOSTATICIMPORT_MANIFEST_RESOURCE_ID,
                                   CREATEPROCESS_MANIFEST_RESOURCE_ID}) {
        actCtx.lpResourceName = resource;
        const HANDLE hActCtx = ::CreateActCtxW(&actCtx);
        if (hActCtx != INVALID_HANDLE_VALUE) {
            m_hActCtx = hActCtx;
            return;
        }
    }
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    static AFX_MODULE_STATE appState(FALSE);
    return &appState;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    AFX_MODULE_STATE* pState = t_threadState.pModuleState;
    return pState != nullptr ? pState : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState)
{
    AFX_MODULE_STATE* pPrevState = AfxGetModuleState();
    t_threadState.pModuleState = pNewState;
    return pPrevState;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState) noexcept
    : m_pPrevModuleState(AfxSetModuleState(pNewState))
{
    // As MFC does, a state with no context of its own runs in the process default one.
    if (pNewState != nullptr)
        m_bValidActCtxCookie = ::ActivateActCtx(pNewState->m_hActCtx, &m_ulActCtxCookie);
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    if (m_bValidActCtxCookie)
        ::DeactivateActCtx(0, m_ulActCtxCookie);
    AfxSetModuleState(m_pPrevModuleState);
}

CWinApp* AFXAPI AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }
HINSTANCE AFXAPI AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
LPCWSTR AFXAPI AfxGetAppName() { return AfxGetModuleState()->m_lpszCurrentAppName; }
HINSTANCE AFXAPI AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }

HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType)
{
    const HINSTANCE hFound = SearchResourceChain([&](HINSTANCE h) { return HasResource(h, lpszName, lpszType); });
    return hFound != nullptr ? hFound : AfxGetResourceHandle();
}

HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID)
{
    return SearchResourceChain([&](HINSTANCE h) { return HasString(h, nID); });
}

// The framework's own strings (AFX_IDS_*, AFX_IDP_*) are found through every chain, last.
void AfxJoinCoreResources(HINSTANCE hCoreDll)
{
    AfxInitExtensionModule(g_coreDLL, hCoreDll);
    new CDynLinkLibrary(g_coreDLL, TRUE);
}

void AFXAPI AfxCoreInitModule()
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    if (pState->m_bInitialized)
        return;
    pState->m_bInitialized = TRUE;
    if (pState != AfxGetAppModuleState())
        new CDynLinkLibrary(g_coreDLL, TRUE);
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    pState->m_hCurrentInstanceHandle = hInstance;
    pState->m_hCurrentResourceHandle = hInstance;
    pState->CreateActivationContext();
    if (CWinApp* pApp = pState->m_pCurrentWinApp) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
        pApp->SetCurrentHandles();
    }
    return TRUE;
}

void AFXAPI AfxWinTerm() { AfxGetModuleState()->m_bInitialized = FALSE; }

void AFXAPI AfxLockTempMaps() { ++t_threadState.nTempMapLock; }

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    if (t_threadState.nTempMapLock > 0)
        --t_threadState.nTempMapLock;
    if (t_threadState.nTempMapLock != 0)
        return FALSE;
    if (bDeleteTemps)
        AfxDeleteTemporaryWindows(&t_threadState);
    return TRUE;
}

void AFXAPI AfxTermThread(HINSTANCE)
{
    t_threadState.nTempMapLock = 0;
    AfxDeleteTemporaryWindows(&t_threadState);
}
