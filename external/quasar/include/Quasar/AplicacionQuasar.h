// AplicacionQuasar.h: CAplicacionQuasar, the host application's object as the libraries it loads
// see it: CWinApp, plus the file prompt and the context value its dialogs share.
#pragma once

#include <afxwin.h>

// A host derives its application class from this one (instead of CWinApp directly). Libraries
// reach it as MFC's current application object: dynamic_cast<CAplicacionQuasar*>(AfxGetApp()).
class CAplicacionQuasar : public CWinApp {
public:
    explicit CAplicacionQuasar(LPCWSTR lpszAppName = nullptr) : CWinApp(lpszAppName) {}

    // Asks the user for a file name. archivo: proposed on entry, chosen on return. idTitulo: the
    // string of the prompt's title. flags: OPENFILENAME flags (OFN_*). abrir: TRUE for an open
    // prompt, FALSE for a save prompt. contexto: the caller's copy of m_contextoFichero, which the
    // host may read and replace (where the user last looked, say). indiceFiltro and filtros: the
    // filter to start on and the filters ("Name|*.ext|…|"), 0 and null for the host's own.
    // Nonzero when the user confirmed a name.
    virtual BOOL PideArchivo(CString& archivo, UINT idTitulo, DWORD flags, BOOL abrir, void** contexto,
                             int indiceFiltro, LPCWSTR filtros) = 0;

    // Opaque to libraries: their dialogs copy it when they are built and hand their copy's address
    // to PideArchivo.
    void* m_contextoFichero = nullptr;
};
