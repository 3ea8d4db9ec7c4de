// FalloOrtusC.cpp: the failure messages, from the string table of the language modules joined to the
// module's resource search.
#include "FalloOrtusC.h"

#include <cstdarg>

namespace {

CString MensajeV(UINT id, va_list argumentos)
{
    CString formato;
    if (!formato.LoadString(id))
        formato.Format(L"ortusc.dll: message %u (its language modules are missing)", id);
    CString mensaje;
    mensaje.FormatV(formato, argumentos);
    return mensaje;
}

}  // namespace

CString Mensaje(UINT id, ...)
{
    va_list argumentos;
    va_start(argumentos, id);
    CString mensaje = MensajeV(id, argumentos);
    va_end(argumentos);
    return mensaje;
}

void Falla(OrtusEstado estado, UINT id, ...)
{
    va_list argumentos;
    va_start(argumentos, id);
    CString mensaje = MensajeV(id, argumentos);
    va_end(argumentos);
    throw CFalloOrtusC(estado, mensaje);
}

CString TextoDelSistema(DWORD error)
{
    LPWSTR texto = nullptr;
    const DWORD longitud =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<LPWSTR>(&texto), 0, nullptr);
    CString resultado;
    if (longitud == 0)
        resultado.Format(L"error %lu", error);
    else
        resultado = CString(texto, static_cast<int>(longitud)).TrimRight();
    ::LocalFree(texto);
    return resultado;
}
