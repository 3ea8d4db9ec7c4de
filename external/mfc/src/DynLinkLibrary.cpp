// DynLinkLibrary.cpp: extension modules in a module state's resource chain.
#include "afxdllx.h"

IMPLEMENT_DYNAMIC(CDynLinkLibrary, CCmdTarget)

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem), m_pModuleState(AfxGetModuleState())
{
    ASSERT(state.bInitialized);
    m_pNextDLL = m_pModuleState->m_libraryList;
    m_pModuleState->m_libraryList = this;
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    for (CDynLinkLibrary** ppDLL = &m_pModuleState->m_libraryList; *ppDLL != nullptr; ppDLL = &(*ppDLL)->m_pNextDLL) {
        if (*ppDLL == this) {
            *ppDLL = m_pNextDLL;
            break;
        }
    }
}

BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    if (!state.bInitialized)
        return;
    AFX_MODULE_STATE* pState = AfxGetModuleState();
    CDynLinkLibrary* pDLL = pState->m_libraryList;
    while (pDLL != nullptr) {
        CDynLinkLibrary* pNext = pDLL->m_pNextDLL;
        if (bAll || pDLL->m_hModule == state.hModule)
            delete pDLL;
        pDLL = pNext;
    }
    state.bInitialized = FALSE;
}
