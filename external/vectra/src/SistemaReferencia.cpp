// SistemaReferencia.cpp: Vectra::CSistemaReferencia.
#include "Vectra/SistemaReferencia.h"

namespace Vectra {

CSistemaReferencia::CSistemaReferencia(std::int32_t codigo, const CString& nombre)
    : m_codigo(codigo), m_nombre(nombre)
{
}

CString CSistemaReferencia::GetNombre() const { return m_nombre; }

}  // namespace Vectra
