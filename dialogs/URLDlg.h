// URLDlg.h: CURLDlg, the small dialog in which the user types a server's name and address.
#pragma once

#include <afxwin.h>

#include "DireccionURL.h"

// Edits the caller's entry: on OK its name and address hold what was typed; on Cancel it is
// untouched. Nothing else of the entry changes.
class CURLDlg : public CDialog {
    DECLARE_DYNAMIC(CURLDlg)
public:
    explicit CURLDlg(CDireccionURL& direccion);
    ~CURLDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()

    CDireccionURL* m_direccion;
};
