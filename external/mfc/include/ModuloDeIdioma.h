// ModuloDeIdioma.h: CModuloDeIdioma, a language module (resources only) in the resource search while it lives.
#pragma once

#include "afxdllx.h"

#include <Win32/Modulos.h>

#include <memory>

// Joins the resource chain of the module state current at construction, searched before the modules joined
// earlier; a system module (deSistema), such as mfc.dll's own texts in another language, is searched after
// every other. Leaves the chain before the module is unloaded.
class CModuloDeIdioma {
public:
    explicit CModuloDeIdioma(LPCWSTR ruta, BOOL deSistema = FALSE) : m_modulo(Win32::CargaModuloDeRecursos(ruta))
    {
        if (!m_modulo)
            return;
        AfxInitExtensionModule(m_extension, m_modulo.Get());
        m_enlace = std::make_unique<CDynLinkLibrary>(m_extension, deSistema);
    }
    CModuloDeIdioma(const CModuloDeIdioma&) = delete;
    CModuloDeIdioma& operator=(const CModuloDeIdioma&) = delete;

    // Null when the file is missing or is not a module (GetLastError tells why, right after construction).
    HMODULE Modulo() const { return m_modulo.Get(); }

private:
    Win32::ModuloCargado m_modulo;
    AFX_EXTENSION_MODULE m_extension = {};
    std::unique_ptr<CDynLinkLibrary> m_enlace;  // declared last: destroyed first
};
