// Controls.cpp: CComboBox and CListCtrl, one message each.
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

int CComboBox::GetCount() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0));
}

int CComboBox::GetCurSel() const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::SetCurSel(int nSelect)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, CB_SETCURSEL, nSelect, 0));
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXTLEN, nIndex, 0));
}

int CComboBox::GetLBText(int nIndex, LPWSTR lpszText) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, CB_GETLBTEXT, nIndex, reinterpret_cast<LPARAM>(lpszText)));
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int nLength = GetLBTextLen(nIndex);
    if (nLength == CB_ERR) {
        rString.Empty();
        return;
    }
    GetLBText(nIndex, rString.GetBufferSetLength(nLength));
    rString.ReleaseBuffer();
}

int CComboBox::AddString(LPCWSTR lpszString)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString)));
}

void CComboBox::ResetContent()
{
    ASSERT(::IsWindow(m_hWnd));
    ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
}

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

int CListCtrl::InsertColumn(int nCol, const LVCOLUMNW* pColumn)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, nCol, reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETCOLUMNWIDTH, nCol, 0));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0)));
}

int CListCtrl::InsertItem(const LVITEMW* pItem)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(pItem)));
}

int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    ASSERT(::IsWindow(m_hWnd));
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETITEMTEXTW, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::DeleteAllItems()
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_DELETEALLITEMS, 0, 0));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<int>(::SendMessageW(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)));
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    ASSERT(::IsWindow(m_hWnd));
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    ASSERT(::IsWindow(m_hWnd));
    lpRect->left = static_cast<LONG>(nCode);
    return static_cast<BOOL>(::SendMessageW(m_hWnd, LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(lpRect)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    ASSERT(::IsWindow(m_hWnd));
    return static_cast<DWORD>(::SendMessageW(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
}
