// Dialog.cpp: CDialog: modal dialog boxes from templates found through the resource chain.
#include "ThreadState.h"

namespace {

// The dialog manager's procedure: everything but WM_INITDIALOG goes through the object first.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    return pDlg != nullptr ? pDlg->OnInitDialog() : TRUE;
}

bool IsMultiLineEdit(HWND hWnd)
{
    WCHAR className[8] = {};
    ::GetClassNameW(hWnd, className, 8);
    return (::GetWindowLongPtrW(hWnd, GWL_STYLE) & ES_MULTILINE) && _wcsicmp(className, L"Edit") == 0;
}

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_nIDHelp(0), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog() = default;

HWND CDialog::PreModal()
{
    ASSERT(m_hWnd == nullptr);  // a dialog object runs one window at a time
    return CWnd::GetSafeOwner_(m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr, &m_hWndTop);
}

void CDialog::PostModal()
{
    AfxUnhookWindowCreate();
    Detach();  // the window is gone; the object may run again
    if (m_hWndTop != nullptr && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = nullptr;
}

INT_PTR CDialog::DoModal()
{
    const HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    const HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    const HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    const auto* lpTemplate = hTemplate != nullptr ? static_cast<LPCDLGTEMPLATEW>(::LockResource(hTemplate)) : nullptr;
    if (lpTemplate == nullptr)
        return -1;

    const HWND hWndParent = PreModal();
    bool bEnableParent = false;
    if (hWndParent != nullptr && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = true;
    }
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    AfxHookWindowCreate(this);
    const HWND hWnd = ::CreateDialogIndirectParamW(hInst, lpTemplate, hWndParent, AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd != nullptr) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            const DWORD dwFlags = MLF_SHOWONIDLE | ((GetStyle() & DS_NOIDLEMSG) ? MLF_NOIDLEMSG : 0);
            RunModalLoop(dwFlags);
        }
        // Hidden before the owner comes back, so it never shows behind it.
        if (m_hWnd != nullptr)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    ASSERT(::IsWindow(m_hWnd));
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Escape in a multi-line edit box would otherwise be eaten by the box.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        IsMultiLineEdit(pMsg->hwnd)) {
        const HWND hCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (hCancel == nullptr || ::IsWindowEnabled(hCancel)) {
            SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }
    // Keys and mouse input go to the dialog manager: Tab, Enter, Escape, access keys.
    const bool isKey = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    const bool isMouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
    return (isKey || isMouse) && ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    // No help button where the application has no help to show.
    if (CWnd* pHelpButton = GetDlgItem(ID_HELP))
        pHelpButton->ShowWindow(AfxHelpEnabled() ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL AFXAPI AfxHelpEnabled()
{
    CWinApp* pApp = AfxGetApp();
    AFX_CMDHANDLERINFO info = {};
    return pApp != nullptr && pApp->OnCmdMsg(ID_HELP, CN_COMMAND, nullptr, &info);
}
