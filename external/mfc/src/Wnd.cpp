// Wnd.cpp: CWnd: the handle map, subclassing and creation, the window procedure and the routing of
// window messages, commands and notifications through message maps.
#include "ThreadState.h"

#include <Win32/Texto.h>

#include <exception>
#include <vector>

namespace {

void ReportHandlerFailure(LPCWSTR lpszWhat)
{
    CString text;
    text.LoadString(AFX_IDP_INTERNAL_FAILURE);
    if (lpszWhat != nullptr && *lpszWhat != L'\0')
        text += CString(L"\n\n") + lpszWhat;
    AfxMessageBox(text, MB_ICONSTOP);
}

// The framework's own centring of a dialog whose OnInitDialog neither showed nor moved it.
void CenterIfUntouched(CWnd* pWnd, const RECT& rectBefore, DWORD styleBefore)
{
    if ((styleBefore & (WS_VISIBLE | WS_CHILD)) || (pWnd->GetStyle() & (WS_VISIBLE | WS_CHILD)))
        return;
    RECT rectAfter;
    pWnd->GetWindowRect(&rectAfter);
    if (::EqualRect(&rectBefore, &rectAfter))
        pWnd->CenterWindow();
}

}  // namespace

// Every window with an object runs here, under the module state it was attached in.
LRESULT CALLBACK AfxWndProcBase(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    AFX_MANAGE_STATE(pWnd->m_pModuleState);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

// A handler's failure ends that message, not the program: the user is told, the loop goes on.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG oldMsg = pState->lastSentMsg;
    pState->lastSentMsg = {hWnd, nMsg, wParam, lParam, 0, {}};
    LRESULT lResult = 0;
    try {
        if (nMsg == WM_INITDIALOG) {
            RECT rectBefore;
            pWnd->GetWindowRect(&rectBefore);
            const DWORD styleBefore = pWnd->GetStyle();
            lResult = pWnd->WindowProc(nMsg, wParam, lParam);
            CenterIfUntouched(pWnd, rectBefore, styleBefore);
        } else {
            lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        }
    } catch (CException* e) {
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            ReportHandlerFailure(nullptr);
        e->Delete();
        lResult = nMsg == WM_CREATE ? -1 : 0;
    } catch (const std::exception& e) {
        ReportHandlerFailure(Win32::Utf16(e.what()).c_str());
        lResult = nMsg == WM_CREATE ? -1 : 0;
    } catch (...) {
        ReportHandlerFailure(nullptr);
        lResult = nMsg == WM_CREATE ? -1 : 0;
    }
    pState->lastSentMsg = oldMsg;
    return lResult;
}

// Attaches the window being created to its object before the window hears of anything.
LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->pWndInit != nullptr) {
        CWnd* pWndInit = pState->pWndInit;
        pState->pWndInit = nullptr;
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWndInit->Attach(hWnd);
        pWndInit->PreSubclassWindow();
        const auto pfnOld = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProcBase)));
        if (pfnOld != &AfxWndProcBase)
            pWndInit->m_pfnSuper = pfnOld;
    }
    return ::CallNextHookEx(pState->hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->pWndInit == pWnd)
        return;
    if (pState->hHookOldCbtFilter == nullptr)
        pState->hHookOldCbtFilter = ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    ASSERT(pState->hHookOldCbtFilter != nullptr);
    ASSERT(pState->pWndInit == nullptr);
    pState->pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->hHookOldCbtFilter != nullptr) {
        ::UnhookWindowsHookEx(pState->hHookOldCbtFilter);
        pState->hHookOldCbtFilter = nullptr;
    }
    if (pState->pWndInit != nullptr) {
        pState->pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

LPCWSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The name encodes the attributes, so equal requests share one class.
    static thread_local std::vector<CString> names;
    CString name;
    name.Format(L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
                static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    for (const CString& known : names) {
        if (known == name)
            return known;
    }
    WNDCLASSW wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    if (!::RegisterClassW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return nullptr;
    names.push_back(name);
    return names.back();
}

void AfxDeleteTemporaryWindows(AFX_THREAD_STATE* pState)
{
    for (auto& [hWnd, pWnd] : pState->temporaryMap) {
        pWnd->m_hWnd = nullptr;  // the window is not ours to destroy
        delete pWnd;
    }
    pState->temporaryMap.clear();
}

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto& map = AfxGetThreadState()->permanentMap;
    const auto found = map.find(hWnd);
    return found != map.end() ? found->second : nullptr;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    auto& temporary = AfxGetThreadState()->temporaryMap;
    CWnd*& pWnd = temporary[hWnd];
    if (pWnd == nullptr) {
        pWnd = new CWnd;
        pWnd->m_hWnd = hWnd;
    }
    return pWnd;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == nullptr);
    ASSERT(FromHandlePermanent(hWndNew) == nullptr);
    if (hWndNew == nullptr)
        return FALSE;
    AfxGetThreadState()->permanentMap[hWndNew] = this;
    m_hWnd = hWndNew;
    m_pModuleState = AfxGetModuleState();
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        AfxGetThreadState()->permanentMap.erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const auto pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProcBase)));
    ASSERT(pfnOld != &AfxWndProcBase);  // subclassed twice
    m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    ASSERT(m_hWnd == nullptr);
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight,
                                        hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // the window was never made: its object hears nothing more
    if (hWnd == nullptr)
        return FALSE;
    ASSERT(hWnd == m_hWnd);
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::OnNcDestroy()
{
    if (CWinThread* pThread = AfxGetThread(); pThread != nullptr && pThread->m_pMainWnd == this) {
        // The main window of an application (not of a library) ends its message loop.
        if (!AfxGetModuleState()->m_bDLL)
            ::PostQuitMessage(0);
        pThread->m_pMainWnd = nullptr;
    }
    const auto pfnOurs = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC));
    Default();
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == pfnOurs && m_pfnSuper != nullptr)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

namespace {

const AFX_MSGMAP_ENTRY* FindWindowMessageEntry(const AFX_MSGMAP* pMessageMap, UINT message)
{
    for (; pMessageMap->pfnGetBaseMap != nullptr; pMessageMap = pMessageMap->pfnGetBaseMap()) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMessageMap->lpEntries; pEntry->nSig != AfxSig_end; ++pEntry) {
            if (pEntry->nMessage == message && pEntry->nCode == 0 && pEntry->nID == 0)
                return pEntry;
        }
    }
    return nullptr;
}

// The handler of a window message, called with the arguments its signature takes.
union WindowMessageHandler {
    AFX_PMSG pfn;
    void (CWnd::*pfn_v_v)();
    BOOL (CWnd::*pfn_b_HELPINFO)(HELPINFO*);
    LRESULT (CWnd::*pfn_l_w_l)(WPARAM, LPARAM);
};

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const auto* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        return pNMHDR->hwndFrom != nullptr && OnNotify(wParam, lParam, pResult);
    }
    const AFX_MSGMAP_ENTRY* pEntry = FindWindowMessageEntry(GetMessageMap(), message);
    if (pEntry == nullptr)
        return FALSE;
    WindowMessageHandler mmf;
    mmf.pfn = pEntry->pfn;
    switch (pEntry->nSig) {
    case AfxSig_vv:
        (this->*mmf.pfn_v_v)();
        *pResult = 0;
        break;
    case AfxSig_bHELPINFO:
        *pResult = (this->*mmf.pfn_b_HELPINFO)(reinterpret_cast<HELPINFO*>(lParam));
        break;
    case AfxSig_lwl:
        *pResult = (this->*mmf.pfn_l_w_l)(wParam, lParam);
        break;
    default:
        ASSERT(FALSE);  // a window message entry with a command signature
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        if (nID == 0)
            return FALSE;
        nCode = CN_COMMAND;  // a menu item or an accelerator
    } else {
        if (AfxGetThreadState()->hLockoutNotifyWindow == m_hWnd)
            return TRUE;  // UpdateData is moving data: its own side effects are not the user's
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    const UINT nID = static_cast<UINT>(::GetDlgCtrlID(pNMHDR->hwndFrom));
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd); pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    ASSERT(::IsWindow(m_hWnd));
    CDataExchange dx(this, bSaveAndValidate);
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const HWND hWndOldLockout = pState->hLockoutNotifyWindow;
    pState->hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CUserException* e) {
        e->Delete();
    } catch (...) {
        pState->hLockoutNotifyWindow = hWndOldLockout;
        throw;
    }
    pState->hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    ASSERT(::IsWindow(m_hWnd));
    ASSERT(!(m_nFlags & WF_MODALLOOP));
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    bool bIdle = true;
    LONG lIdleCount = 0;
    bool bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    const HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG msg;
    for (;;) {
        while (bIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessageW(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            if (!SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = false;
        }
        do {
            if (!AfxPumpMessage()) {
                ::PostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (pState->msgCur.message == 0x118 || pState->msgCur.message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = false;
            }
            if (!ContinueModal()) {
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return m_nModalResult;
            }
            if (AfxIsIdleMessage(pState, pState->msgCur)) {
                bIdle = true;
                lIdleCount = 0;
            }
        } while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult)
{
    ASSERT(::IsWindow(m_hWnd));
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);  // wakes the loop if it waits
    }
}

DWORD CWnd::GetStyle() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
}

CWnd* CWnd::GetParent() const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

void CWnd::GetDlgItem(int nID, HWND* phWnd) const
{
    ASSERT(::IsWindow(m_hWnd));
    *phWnd = ::GetDlgItem(m_hWnd, nID);
}

int CWnd::GetDlgCtrlID() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::GetDlgCtrlID(m_hWnd);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsWindowVisible(m_hWnd);
}

CWnd* CWnd::SetFocus()
{
    ASSERT(::IsWindow(m_hWnd));
    return FromHandle(::SetFocus(m_hWnd));
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam);
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ASSERT(::IsWindow(m_hWnd));
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    ASSERT(::IsWindow(m_hWnd));
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    ASSERT(::IsWindow(m_hWnd));
    ::GetWindowRect(m_hWnd, lpRect);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::SetWindowPos(m_hWnd, pWndInsertAfter != nullptr ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy,
                          nFlags);
}

void CWnd::UpdateWindow()
{
    ASSERT(::IsWindow(m_hWnd));
    ::UpdateWindow(m_hWnd);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags)
{
    ASSERT(::IsWindow(m_hWnd));
    return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    ASSERT(::IsWindow(m_hWnd));
    const DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : nullptr;
    if (pAlternateOwner == nullptr) {
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
        if (hWndCenter != nullptr) {
            // The owner may name another window to centre on.
            if (const auto hWndTemp = reinterpret_cast<HWND>(::SendMessageW(hWndCenter, WM_QUERYCENTERWND, 0, 0)))
                hWndCenter = hWndTemp;
        }
    }
    RECT rcDlg;
    GetWindowRect(&rcDlg);
    RECT rcArea, rcCenter;
    if (!(dwStyle & WS_CHILD)) {
        // Not on a window the user cannot see.
        if (hWndCenter != nullptr) {
            const DWORD dwCenterStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWndCenter, GWL_STYLE));
            if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
                hWndCenter = nullptr;
        }
        MONITORINFO mi = {};
        mi.cbSize = sizeof mi;
        if (hWndCenter == nullptr) {
            CWnd* pMainWnd = AfxGetMainWnd();
            ::GetMonitorInfoW(::MonitorFromWindow(pMainWnd != nullptr ? pMainWnd->m_hWnd : m_hWnd,
                                                  MONITOR_DEFAULTTOPRIMARY), &mi);
            rcCenter = rcArea = mi.rcWork;
        } else {
            ::GetWindowRect(hWndCenter, &rcCenter);
            ::GetMonitorInfoW(::MonitorFromWindow(hWndCenter, MONITOR_DEFAULTTONEAREST), &mi);
            rcArea = mi.rcWork;
        }
    } else {
        const HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<POINT*>(&rcCenter), 2);
    }
    const int width = rcDlg.right - rcDlg.left;
    const int height = rcDlg.bottom - rcDlg.top;
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - width / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - height / 2;
    if (xLeft + width > rcArea.right)
        xLeft = rcArea.right - width;
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + height > rcArea.bottom)
        yTop = rcArea.bottom - height;
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    ASSERT(::IsWindow(m_hWnd));
    return reinterpret_cast<HICON>(
        ::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    ASSERT(::IsWindow(m_hWnd));
    if (lpszCaption == nullptr)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption, nType);
}

HWND PASCAL CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop)
{
    HWND hWnd = hParent;
    if (hWnd == nullptr) {
        CWnd* pMainWnd = AfxGetMainWnd();
        hWnd = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    }
    // A popup cannot be owned by a child window.
    while (hWnd != nullptr && (::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    for (HWND hWndTemp = hWnd; hWndTemp != nullptr; hWndTemp = ::GetParent(hWndTemp))
        hWndTop = hWndTemp;
    // With no parent given, the window the user last worked in: a dialog over the main window.
    if (hParent == nullptr && hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    if (pWndTop != nullptr) {
        if (hWndTop != nullptr && ::IsWindowEnabled(hWndTop) && hWndTop != hWnd) {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        } else {
            *pWndTop = nullptr;
        }
    }
    return hWnd;
}
