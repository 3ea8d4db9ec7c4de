// ClienteWMS.cpp: the service metadata as the user is shown it.
#include "ClienteWMS.h"

#include <initializer_list>

namespace Nadir::OpenGIS::WMS {

namespace {

CString UnidosConGuion(std::initializer_list<CString> partes)
{
    CString unidos;
    for (const CString& parte : partes) {
        if (parte.IsEmpty())
            continue;
        if (!unidos.IsEmpty())
            unidos += L" - ";
        unidos += parte;
    }
    return unidos;
}

// Servers write "none", "NONE" or "None" when there are no fees or constraints: not worth showing.
CString SalvoNinguno(const CString& texto)
{
    return texto.CompareNoCase(L"none") == 0 ? CString() : texto;
}

}  // namespace

ClienteWMS::ClienteWMS(Capacidades capacidades) : m_capacidades(std::move(capacidades)) {}

CString ClienteWMS::GetVersion() const
{
    return m_capacidades.version;
}

CString ClienteWMS::GetMetadato1() const
{
    return m_capacidades.titulo;
}

CString ClienteWMS::GetMetadato2() const
{
    return m_capacidades.resumen;
}

CString ClienteWMS::GetUrlGetMap() const
{
    return m_capacidades.urlGetMap;
}

std::vector<CString> ClienteWMS::GetFormatosGetMap() const
{
    return m_capacidades.formatosGetMap;
}

CString ClienteWMS::GetMetadato3() const
{
    return UnidosConGuion({m_capacidades.organizacion, m_capacidades.persona, m_capacidades.correo});
}

CString ClienteWMS::GetMetadato4() const
{
    return UnidosConGuion({L"WMS " + m_capacidades.version, SalvoNinguno(m_capacidades.tarifas),
                           SalvoNinguno(m_capacidades.restricciones)});
}

std::shared_ptr<Layer> ClienteWMS::GetCapaRaiz() const
{
    return m_capacidades.capaRaiz;
}

}  // namespace Nadir::OpenGIS::WMS
