// ExportaModulo.cpp: the module's own functions of the C interface: version, last failure, release
// of what it handed out, language.
#include <afxwin.h>

#include <cstring>

#include "Frontera.h"
#include "OrtusCApp.h"

OrtusEstado WINAPI OrtusVersion(uint32_t* mayor, uint32_t* menor, uint32_t* revision)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        if (mayor != nullptr)
            *mayor = ORTUS_VERSION_MAJOR;
        if (menor != nullptr)
            *menor = ORTUS_VERSION_MINOR;
        if (revision != nullptr)
            *revision = ORTUS_VERSION_PATCH;
    });
}

// Not through Protege: its own failures must not replace the failure asked for.
OrtusEstado WINAPI OrtusUltimoError(wchar_t* texto, uint32_t capacidad, uint32_t* necesarios)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        if (texto == nullptr && capacidad > 0)
            return ORTUS_ERROR_ARGUMENTO;
        const CString mensaje = COrtusCApp::Modulo().Errores().Ultimo();
        const uint32_t longitud = static_cast<uint32_t>(mensaje.GetLength()) + 1;
        if (necesarios != nullptr)
            *necesarios = longitud;
        if (capacidad < longitud)
            return ORTUS_ERROR_BUFFER_CORTO;
        std::memcpy(texto, mensaje.GetString(), longitud * sizeof(wchar_t));
        return ORTUS_OK;
    } catch (...) {
        return ORTUS_ERROR_MEMORIA;
    }
}

OrtusEstado WINAPI OrtusFree(void* bloque)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        if (bloque != nullptr && !COrtusCApp::Modulo().Bloques().Libera(bloque))
            Falla(ORTUS_ERROR_ARGUMENTO, IDS_ERROR_BLOQUE);
    });
}

OrtusEstado WINAPI OrtusEstableceIdioma(const wchar_t* idioma)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return Protege([&] {
        if (!COrtusCApp::Modulo().EstableceIdioma(TextoDe(idioma)))
            Falla(ORTUS_ERROR_IDIOMA, IDS_ERROR_IDIOMA, idioma, idioma);
    });
}
