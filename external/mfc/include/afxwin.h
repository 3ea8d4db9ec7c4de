// afxwin.h: command targets and message maps, windows (CWnd), dialogs and their data exchange, the
// standard controls, CWinThread and CWinApp, and the module, instance and resource functions.
#pragma once

#include "afx.h"
#include "afxres.h"
#include "afxstat_.h"

#include <commctrl.h>
#include <htmlhelp.h>

#include <bit>

class CCmdTarget;
class CWnd;
class CDataExchange;

// Message maps: routing tables of (message, code, control range, signature, handler).
typedef void (CCmdTarget::*AFX_PMSG)();

// Any handler, stored as AFX_PMSG; the entry's signature says how to call it back.
template <typename MemberFunction>
AFX_PMSG AfxMsgPtr(MemberFunction pfn)
{
    static_assert(sizeof(MemberFunction) == sizeof(AFX_PMSG), "handlers of single-inheritance classes only");
    return std::bit_cast<AFX_PMSG>(pfn);
}

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

#include "afxmsg_.h"

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

// What OnCmdMsg carries for a WM_NOTIFY entry.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg instead of calling the handler: who would handle the command.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

class AFX_CORE_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command (nCode: the notification code) or a WM_NOTIFY (nCode: MAKELONG(code,
    // WM_NOTIFY)) to the first matching entry of the message map chain; FALSE when none matches.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Window flags (m_nFlags).
#define WF_CONTINUEMODAL 0x0080  // the modal loop goes on
#define WF_MODALLOOP 0x0100      // inside the modal loop

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001   // no WM_ENTERIDLE to the parent
#define MLF_SHOWONIDLE 0x0004  // show the window when the queue first goes idle

// Private messages of the framework.
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B

// A window: the C++ object of an HWND of this thread. Objects made with FromHandle for windows
// that have none are temporary and deleted at the next idle time; keep only permanent ones.
class AFX_CORE_API CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    // Destroys the window if it still exists.
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Handle map.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    // Routes the window's messages through this object (its window procedure is replaced).
    BOOL SubclassWindow(HWND hWnd);

    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Called by the message pump for every message to this window or its children before it is
    // dispatched; TRUE when it was handled here.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Runs PreTranslateMessage of every window with an object from pMsg->hwnd up to hWndStop.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Data exchange: TRUE moves control contents into members, FALSE members into controls.
    // FALSE when an exchange failed (the user was told why).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Modal loop of this window: pumps messages until EndModalLoop.
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    // State and appearance.
    DWORD GetStyle() const;
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    int GetDlgCtrlID() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    CWnd* SetFocus();
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void GetWindowRect(LPRECT lpRect) const;
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    // Centers on pAlternateOwner, else on the parent (child) or owner (popup) when visible, else
    // on the monitor's work area; always kept inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    // A message box owned by this window; the caption defaults to the application's name.
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = nullptr, UINT nType = MB_OK);
    // HTML Help of the application's help file (m_pszHelpFilePath), shown over this window.
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);

    // The owner a popup of this application should get: hParent when given (its top-level
    // window), else the last active popup of the main window. pWndTop receives the top-level
    // window that was disabled for the length of a modal run, if any.
    static HWND PASCAL GetSafeOwner_(HWND hParent, HWND* pWndTop);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // TRUE when a handler took the message; *pResult is then what the window procedure returns.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // After the window is gone and the object detached; the last thing the object hears of it.
    virtual void PostNcDestroy();
    // The default processing of the message being handled.
    LRESULT Default();

    afx_msg void OnNcDestroy();

    WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before we subclassed it
    UINT m_nFlags = 0;
    int m_nModalResult = -1;

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK AfxWndProcBase(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);

    AFX_MODULE_STATE* m_pModuleState = nullptr;  // its messages are handled under this state
};

// Creation of windows through CWnd: the next window this thread creates is attached to pWnd.
AFX_CORE_API void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
// FALSE when the hooked window was never created.
AFX_CORE_API BOOL AFXAPI AfxUnhookWindowCreate();
// A window class with DefWindowProc as its procedure, registered once; the name is the
// framework's ("Afx:..."), valid until the process ends.
AFX_CORE_API LPCWSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                               HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// A modal dialog box from a template found through the resource chain.
class AFX_CORE_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    // A null parent lets DoModal choose the owner: the last active popup of the main window.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog gave; -1 when the template or the window could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Fills the controls (UpdateData(FALSE)); TRUE lets the dialog set the focus.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then ends with IDOK only if the exchange succeeded.
    virtual void OnOK();
    virtual void OnCancel();

protected:
    LPCWSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;
    HWND m_hWndTop = nullptr;  // disabled while the dialog runs

    DECLARE_MESSAGE_MAP()

private:
    HWND PreModal();
    void PostModal();
};

// The application's help is available: its message map handles ID_HELP.
AFX_CORE_API BOOL AFXAPI AfxHelpEnabled();

// Thin wrappers of the standard controls: each member is one message to the window.
class AFX_CORE_API CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBTextLen(int nIndex) const;
    int GetLBText(int nIndex, LPWSTR lpszText) const;
    void GetLBText(int nIndex, CString& rString) const;
    int AddString(LPCWSTR lpszString);
    void ResetContent();
};

class AFX_CORE_API CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override = default;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: pumps until WM_QUIT, calling OnIdle while the queue is empty.
    virtual int Run();
    // Idle work; the default frees the temporary window objects. TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);
    // Walks the message's window tree up to the main window (dialogs translate their keys).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();

    // The window whose destruction ends the thread's message loop; dialogs with no parent are
    // owned by its last active popup.
    CWnd* m_pMainWnd = nullptr;
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
    // A null entry deletes the whole section.
    virtual BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);

    // Shows topic dwData (a help context with HH_HELP_CONTEXT) of m_pszHelpFilePath over the main window.
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);
    // nCode 1 shows the wait cursor, -1 undoes one such call (the arrow is back after the last),
    // 0 shows it again after something changed the cursor.
    virtual void DoWaitCursor(int nCode);
    // What AfxMessageBox shows: a message box owned by the active popup, titled with the
    // application's name.
    virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Switches the profile to the registry; the profile name becomes the application name.
    void SetRegistryKey(LPCWSTR lpszRegistryKey);
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

    // Handler for ON_COMMAND(ID_HELP, &CWinApp::OnHelp) in an application's map: the help's contents.
    afx_msg void OnHelp();

protected:
    DECLARE_MESSAGE_MAP()

private:
    AFX_MODULE_STATE* m_pModuleState;  // the state this object is the application of
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

AFX_CORE_API CWinApp* AFXAPI AfxGetApp();

// The hourglass for the length of a scope, for work that keeps the user waiting.
class AFX_CORE_API CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The thread object of the current state: its application.
AFX_CORE_API CWinThread* AFXAPI AfxGetThread();
AFX_CORE_API CWnd* AFXAPI AfxGetMainWnd();
// One message from the queue, pre-translated and dispatched; FALSE on WM_QUIT.
AFX_CORE_API BOOL AFXAPI AfxPumpMessage();
// A message box through the application's DoMessageBox.
AFX_CORE_API int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_CORE_API int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
AFX_CORE_API HINSTANCE AFXAPI AfxGetInstanceHandle();
AFX_CORE_API LPCWSTR AFXAPI AfxGetAppName();
AFX_CORE_API HINSTANCE AFXAPI AfxGetResourceHandle();
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

#include "afxdd_.h"
