// Modulos.h: where a loaded module lives (RutaDelModulo, CarpetaDelModulo), and a module loaded for its
// resources only (CargaModuloDeRecursos).
#pragma once

#include "Manejadores.h"

#include <windows.h>

#include <string>
#include <vector>

namespace Win32 {

// The file a module of this process was loaded from; null: the program's own. Paths of any length.
inline std::wstring RutaDelModulo(HMODULE modulo)
{
    std::vector<wchar_t> ruta(MAX_PATH);
    for (;;) {
        const DWORD largo = ::GetModuleFileNameW(modulo, ruta.data(), static_cast<DWORD>(ruta.size()));
        if (largo < ruta.size())
            return std::wstring(ruta.data(), largo);
        ruta.resize(ruta.size() * 2);
    }
}

// Its folder, ending in a backslash.
inline std::wstring CarpetaDelModulo(HMODULE modulo)
{
    const std::wstring ruta = RutaDelModulo(modulo);
    return ruta.substr(0, ruta.find_last_of(L"\\/") + 1);
}

// The module at ruta mapped as an image for its resources, never run; empty when the file is missing or is not
// a module (GetLastError tells why).
inline ModuloCargado CargaModuloDeRecursos(const wchar_t* ruta)
{
    return ModuloCargado(::LoadLibraryExW(ruta, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

}  // namespace Win32
