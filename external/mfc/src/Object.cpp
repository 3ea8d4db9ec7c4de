// Object.cpp: CRuntimeClass, CObject, exceptions, and CCmdTarget with the dispatch of commands.
#include "afxwin.h"

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr, nullptr, nullptr};

CRuntimeClass* PASCAL CObject::GetThisClass() { return _RUNTIME_CLASS(CObject); }
CRuntimeClass* CObject::GetRuntimeClass() const { return _RUNTIME_CLASS(CObject); }

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    ASSERT(pClass != nullptr);
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != nullptr;
         pClass = pClass->m_pfnGetBaseClass ? pClass->m_pfnGetBaseClass() : nullptr) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CUserException, CException)

void CException::Delete() { delete this; }

void AFXAPI AfxThrowUserException() { throw new CUserException; }

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; pEntry->nSig != AfxSig_end; ++pEntry) {
        if (pEntry->nMessage == nMsg && pEntry->nCode == nCode && nID >= pEntry->nID && nID <= pEntry->nLastID)
            return pEntry;
    }
    return nullptr;
}

union CommandHandler {
    AFX_PMSG pfn;
    void (CCmdTarget::*pfnCmd_v_v)();
    void (CCmdTarget::*pfnNotify_v_NMHDR_pl)(NMHDR*, LRESULT*);
};

}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // A notification comes as MAKELONG(code, WM_NOTIFY); a command's high word is zero.
    UINT nMsg = HIWORD(nCode);
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    const UINT nNotifyCode = LOWORD(nCode);
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap->pfnGetBaseMap != nullptr; pMap = pMap->pfnGetBaseMap()) {
        const AFX_MSGMAP_ENTRY* pEntry = FindCommandEntry(pMap->lpEntries, nMsg, nNotifyCode, nID);
        if (pEntry == nullptr)
            continue;
        if (pHandlerInfo != nullptr) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = pEntry->pfn;
            return TRUE;
        }
        CommandHandler mmf;
        mmf.pfn = pEntry->pfn;
        switch (pEntry->nSig) {
        case AfxSigCmd_v:
            (this->*mmf.pfnCmd_v_v)();
            return TRUE;
        case AfxSigNotify_v: {
            auto* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
            ASSERT(pNotify != nullptr);
            (this->*mmf.pfnNotify_v_NMHDR_pl)(pNotify->pNMHDR, pNotify->pResult);
            return TRUE;
        }
        default:
            ASSERT(FALSE);  // a command entry with a window message signature
            return FALSE;
        }
    }
    return FALSE;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

