// afxmsg_.h: handler signatures and the message map entry macros (included by afxwin.h).
#pragma once

// How the dispatcher calls an entry's handler.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSigCmd_v,       // void (): commands and control notifications
    AfxSigNotify_v,    // void (NMHDR*, LRESULT*): WM_NOTIFY
    AfxSig_vv,         // void (): window messages without arguments
    AfxSig_bHELPINFO,  // BOOL (HELPINFO*): WM_HELP
    AfxSig_lwl,        // LRESULT (WPARAM, LPARAM): ON_MESSAGE
};

#define afx_msg
#define AFX_MSG_CALL

#define CN_COMMAND 0

#define ON_COMMAND(id, memberFxn)                                                                  \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSigCmd_v,                                  \
     static_cast<AFX_PMSG>(static_cast<void (AFX_MSG_CALL CCmdTarget::*)()>(memberFxn))},

#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                     \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigCmd_v,                         \
     static_cast<AFX_PMSG>(static_cast<void (AFX_MSG_CALL CCmdTarget::*)()>(memberFxn))},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)

#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                      \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSigNotify_v,                  \
     AfxMsgPtr(static_cast<void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*)>(memberFxn))},

#define ON_MESSAGE(message, memberFxn)                                                             \
    {message, 0, 0, 0, AfxSig_lwl,                                                                 \
     AfxMsgPtr(static_cast<LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM)>(memberFxn))},

#define ON_WM_HELPINFO()                                                                           \
    {WM_HELP, 0, 0, 0, AfxSig_bHELPINFO,                                                           \
     AfxMsgPtr(static_cast<BOOL (AFX_MSG_CALL CWnd::*)(HELPINFO*)>(&ThisClass::OnHelpInfo))},

#define ON_WM_NCDESTROY()                                                                          \
    {WM_NCDESTROY, 0, 0, 0, AfxSig_vv,                                                             \
     AfxMsgPtr(static_cast<void (AFX_MSG_CALL CWnd::*)()>(&ThisClass::OnNcDestroy))},
