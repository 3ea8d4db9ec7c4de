// afxwin.h: command targets and message maps, CWinThread, CWinApp with its profile, and the
// module, instance and resource functions of the framework.
#pragma once

#include "afx.h"
#include "afxstat_.h"

class CCmdTarget;

// Message maps: routing tables of (message, code, control range, signature, handler).
typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
};

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();                                           \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }             \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                                         \
    {                                                                                              \
        typedef theClass ThisClass;                                                                \
        typedef baseClass TheBaseClass;                                                            \
        (void)sizeof(ThisClass);                                                                   \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
        {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};                                                    \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                                                        \
    }

class AFX_CORE_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

class AFX_CORE_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override = default;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    DWORD m_nThreadID = 0;
};

class AFX_CORE_API CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers the object as the application of the module state current at construction.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Profile: registry under HKCU\Software\<m_pszRegistryKey>\<m_pszProfileName> once
    // SetRegistryKey was called, else the INI file m_pszProfileName.
    virtual UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    virtual BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
    virtual CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = nullptr);
    // A null entry deletes the whole section; a null value deletes the entry.
    virtual BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);

    // Switches the profile to the registry; the profile name becomes the application name.
    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // Registry keys of the profile, created when missing; the caller closes them. Null in INI mode.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCWSTR lpszSection);

    // Strings the framework owns and frees with free(): replace them with _wcsdup copies.
    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;
    LPCWSTR m_pszProfileName = nullptr;
    LPCWSTR m_pszExeName = nullptr;
    LPCWSTR m_pszHelpFilePath = nullptr;

    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    // Fills the names above that are still unset from the module's file name.
    void SetCurrentHandles();

protected:
    DECLARE_MESSAGE_MAP()

private:
    AFX_MODULE_STATE* m_pModuleState;  // the state this object is the application of
};

AFX_CORE_API CWinApp* AFXAPI AfxGetApp();
AFX_CORE_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_CORE_API LPCWSTR AFXAPI AfxGetAppName();
AFX_CORE_API HINSTANCE AFXAPI AfxGetResourceHandle();
AFX_CORE_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that holds the resource, searched in the current state's chain: its resource
// handle, then its extension libraries; the current resource handle when none has it.
AFX_CORE_API HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
AFX_CORE_API HINSTANCE AFXAPI AfxFindStringResourceHandle(UINT nID);

// Module entry and exit, in the order a regular DLL or an application calls them.
AFX_CORE_API void AFXAPI AfxCoreInitModule();
AFX_CORE_API BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
AFX_CORE_API void AFXAPI AfxWinTerm();
AFX_CORE_API void AFXAPI AfxLockTempMaps();
AFX_CORE_API BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
AFX_CORE_API void AFXAPI AfxTermThread(HINSTANCE hInstTerm = nullptr);
