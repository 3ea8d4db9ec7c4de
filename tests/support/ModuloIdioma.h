// ModuloIdioma.h: a language resource module in the current state's resource chain for the length
// of a scope, as a host makes its modules reachable.
#pragma once

#include <afxdllx.h>

#include <memory>

class CModuloIdioma {
public:
    // archivo: the module's path (relative to the working directory, bin/ under CTest).
    explicit CModuloIdioma(LPCWSTR archivo);
    ~CModuloIdioma();
    CModuloIdioma(const CModuloIdioma&) = delete;
    CModuloIdioma& operator=(const CModuloIdioma&) = delete;

    HMODULE Modulo() const { return m_modulo; }

private:
    HMODULE m_modulo;
    AFX_EXTENSION_MODULE m_extension = {};
    std::unique_ptr<CDynLinkLibrary> m_enlace;
};
