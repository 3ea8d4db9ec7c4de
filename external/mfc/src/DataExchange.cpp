// DataExchange.cpp: CDataExchange and the DDX functions.
#include "afxwin.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>

namespace {

// Sets the text only when it differs: no flicker, no change notification, the caret stays.
void SetWindowTextIfChanged(HWND hWnd, LPCWSTR lpszNew)
{
    const int nNewLength = static_cast<int>(wcslen(lpszNew));
    if (::GetWindowTextLengthW(hWnd) == nNewLength) {
        CString current;
        ::GetWindowTextW(hWnd, current.GetBufferSetLength(nNewLength), nNewLength + 1);
        current.ReleaseBuffer();
        if (current == lpszNew)
            return;
    }
    ::SetWindowTextW(hWnd, lpszNew);
}

CString WindowText(HWND hWnd)
{
    const int nLength = ::GetWindowTextLengthW(hWnd);
    CString text;
    ::GetWindowTextW(hWnd, text.GetBufferSetLength(nLength), nLength + 1);
    text.ReleaseBuffer();
    return text;
}

// A whole number in int's range with nothing but blanks around it.
bool ParseInt(const CString& text, int& value)
{
    LPCWSTR begin = text;
    wchar_t* end = nullptr;
    errno = 0;
    const long parsed = wcstol(begin, &end, 10);
    if (end == begin || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    while (iswspace(*end))
        ++end;
    if (*end != L'\0')
        return false;
    value = static_cast<int>(parsed);
    return true;
}

bool IsRadioButton(HWND hWnd) { return (::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0; }

}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
    ASSERT(pDlgWnd != nullptr);
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = nullptr;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    ASSERT(hWndCtrl != nullptr);  // no such control in the dialog
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    const HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWndLastControl = nullptr;
        m_pDlgWnd->GetDlgItem(m_idLastControl, &hWndLastControl);
        ::SetFocus(hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageW(hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(hWndCtrl);
    else
        SetWindowTextIfChanged(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    const HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format(L"%d", value);
        SetWindowTextIfChanged(hWndCtrl, text);
        return;
    }
    if (!ParseInt(WindowText(hWndCtrl), value)) {
        AfxMessageBox(AFX_IDP_PARSE_INT);
        pDX->Fail();
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    ASSERT(::GetWindowLongPtrW(hWndCtrl, GWL_STYLE) & WS_GROUP);  // the first button of its group
    ASSERT(IsRadioButton(hWndCtrl));
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int iButton = 0;
    do {
        if (IsRadioButton(hWndCtrl)) {
            if (!pDX->m_bSaveAndValidate)
                ::SendMessageW(hWndCtrl, BM_SETCHECK, iButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            else if (::SendMessageW(hWndCtrl, BM_GETCHECK, 0, 0) != BST_UNCHECKED && value == -1)
                value = iButton;
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongPtrW(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    ASSERT(!pDX->m_bSaveAndValidate);  // the first exchange fills the controls
    const HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    VERIFY(rControl.SubclassWindow(hWndCtrl));
}
