// afx.h: CObject, CRuntimeClass and the dynamic class macros, CException; pulls in CString.
#pragma once

#include "afxver_.h"
#include "afxstr.h"

class CObject;

// The record DECLARE_DYNAMIC gives each class: its name, size and base (through a function, as in
// the shared-library form, so records in different modules link up at run time).
struct AFX_CORE_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* (PASCAL* m_pfnGetBaseClass)();
    CRuntimeClass* m_pNextClass;
    const void* m_pClassInit;

    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

class AFX_CORE_API CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define _RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))
#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                                                                \
protected:                                                                                         \
    static CRuntimeClass* PASCAL _GetBaseClass();                                                  \
                                                                                                   \
public:                                                                                            \
    static const CRuntimeClass class##class_name;                                                  \
    static CRuntimeClass* PASCAL GetThisClass();                                                   \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew, class_init)          \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); }  \
    const CRuntimeClass class_name::class##class_name = {                                          \
        #class_name, sizeof(class class_name), wSchema, pfnNew, &class_name::_GetBaseClass,       \
        nullptr, class_init};                                                                      \
    CRuntimeClass* PASCAL class_name::GetThisClass() { return _RUNTIME_CLASS(class_name); }       \
    CRuntimeClass* class_name::GetRuntimeClass() const { return _RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr, nullptr)

// Checked downcast through the runtime class records: null when the object is not of that class.
AFX_CORE_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))

// Exceptions the framework throws by pointer; whoever catches one calls Delete().
class AFX_CORE_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    void Delete();

protected:
    CException() = default;
};

// Thrown after the user was already told what is wrong (a failed data exchange).
class AFX_CORE_API CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

[[noreturn]] AFX_CORE_API void AFXAPI AfxThrowUserException();
