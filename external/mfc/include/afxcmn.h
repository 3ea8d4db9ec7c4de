// afxcmn.h: thin wrappers of the common controls: CListCtrl.
#pragma once

#include "afxwin.h"

// A list view: each member is one message to the window.
class AFX_CORE_API CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    CListCtrl() = default;
    ~CListCtrl() override = default;

    int InsertColumn(int nCol, const LVCOLUMNW* pColumn);
    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);

    int InsertItem(const LVITEMW* pItem);
    int InsertItem(int nItem, LPCWSTR lpszItem);
    int InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                   LPARAM lParam);
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    BOOL DeleteAllItems();

    int GetNextItem(int nItem, int nFlags) const;
    // LVN_ITEMCHANGED reaches the parent before this returns.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;

    // Mask 0: the given extended styles replace all others. Returns the previous ones.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
};
