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

