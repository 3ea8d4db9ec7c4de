// afxdd_.h: dialog data exchange, CDataExchange and the DDX functions (included by afxwin.h).
#pragma once

// One transfer between a window's controls and its members, as DoDataExchange makes it.
class AFX_CORE_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's window, remembered as the one to return to if the exchange fails.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Gives the focus back to the last control prepared and abandons the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// Text that is not a whole number refuses the exchange with a message to the user.
AFX_CORE_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// nIDC: the first radio button of a group (WS_GROUP) running to the next WS_GROUP; value: the
// index of the checked button among the group's radio buttons, -1 for none.
AFX_CORE_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
// Subclasses the control into rControl on the first exchange.
AFX_CORE_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
