// FalloOrtusC.h: CFalloOrtusC, why a call of the C interface failed: the status it returns and the
// message its thread keeps; Mensaje and Falla, which take the message from the module's texts.
#pragma once

#include <afx.h>

#include "OrtusC.h"

class CFalloOrtusC {
public:
    CFalloOrtusC(OrtusEstado estado, const CString& mensaje) : m_estado(estado), m_mensaje(mensaje) {}

    OrtusEstado m_estado;
    CString m_mensaje;
};

// String id of the module's language, formatted with the arguments as CString::Format does.
CString Mensaje(UINT id, ...);
// Throws the failure estado with that message.
[[noreturn]] void Falla(OrtusEstado estado, UINT id, ...);
