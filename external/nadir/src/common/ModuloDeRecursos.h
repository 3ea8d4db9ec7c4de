// ModuloDeRecursos.h: ModuloDeRecursos, the owner of a module mapped for its resources only.
#pragma once

#include "Manejador.h"

namespace Nadir {

using ModuloDeRecursos = Manejador<HMODULE, FreeLibrary>;

// The module at ruta mapped as an image for its resources, never run; empty when the file is missing
// or not a module.
inline ModuloDeRecursos CargaModuloDeRecursos(const wchar_t* ruta)
{
    return ModuloDeRecursos(LoadLibraryExW(ruta, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

}  // namespace Nadir
