// SistemaReferencia.cpp: Vectra::CSistemaReferencia.
#include "Vectra/SistemaReferencia.h"

#include <cstdlib>

namespace Vectra {

CSistemaReferencia::CSistemaReferencia(std::int32_t codigo, const CString& nombre)
    : m_codigo(codigo), m_nombre(nombre)
{
}

CString CSistemaReferencia::GetNombre() const { return m_nombre; }

std::int32_t CSistemaReferencia::CodigoDe(const CString& identificador)
{
    // Find gives -1 without a colon: the whole identifier is read.
    return _wtoi(identificador.GetString() + identificador.Find(L':') + 1);
}

}  // namespace Vectra
