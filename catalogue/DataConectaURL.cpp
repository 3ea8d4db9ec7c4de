// DataConectaURL.cpp: CDataConectaURL's catalogue operations (storage is in storage/).
#include "DataConectaURL.h"

#include <algorithm>

namespace {

struct ServidorPorDefecto {
    LPCWSTR nombre;
    LPCWSTR url;
};

// The fourth address keeps its trailing blank: it is part of the address as stored.
const ServidorPorDefecto kServidoresPorDefecto[] = {
    {L"PNOA", L"http://www.ign.es/wms-inspire/pnoa-ma"},
    {L"NOAA", L"http://nowcoast.noaa.gov/wms/?request=GetCapabilities&service=wms"},
    {L"Catastro", L"http://ovc.catastro.meh.es/Cartografia/WMS/ServidorWMS.aspx"},
    {L"Cartografia IGN", L"http://www.ign.es/wms-inspire/mapa-raster "},
    {L"MDT IGN", L"http://www.ign.es/wms-inspire/mdt"},
};

}  // namespace

CDataConectaURL::CDataConectaURL() : m_seleccionURL(-1), m_cargar(1) {}
CDataConectaURL::CDataConectaURL(const CDataConectaURL& other) = default;
CDataConectaURL& CDataConectaURL::operator=(const CDataConectaURL& other) = default;
CDataConectaURL::~CDataConectaURL() = default;

void CDataConectaURL::CargaURLPorDefecto()
{
    for (const ServidorPorDefecto& servidor : kServidoresPorDefecto) {
        CDireccionURL entrada;
        entrada.m_nombre = servidor.nombre;
        entrada.m_url = servidor.url;
        m_direcciones.push_back(entrada);
    }
}

CDireccionURL CDataConectaURL::Seleccion() const
{
    if (m_seleccionURL < 0)
        return CDireccionURL();
    return (*this)[static_cast<unsigned int>(m_seleccionURL)];
}

bool CDataConectaURL::Inserta(const CDireccionURL& entrada)
{
    for (const CDireccionURL& existente : m_direcciones) {
        if (existente.m_nombre.Compare(entrada.m_nombre) == 0 || existente.m_url.Compare(entrada.m_url) == 0)
            return false;
    }
    m_direcciones.push_back(entrada);
    return true;
}

bool CDataConectaURL::Modifica(unsigned int indice, const CDireccionURL& entrada)
{
    if (indice >= Cantidad())
        return false;
    for (unsigned int i = 0; i < Cantidad(); ++i) {
        const CDireccionURL& existente = m_direcciones[i];
        if (i != indice &&
            (existente.m_nombre.Compare(entrada.m_nombre) == 0 || existente.m_url.Compare(entrada.m_url) == 0))
            return false;
    }
    m_direcciones[indice] = entrada;
    return true;
}

bool CDataConectaURL::Borra(unsigned int indice)
{
    if (indice >= Cantidad())
        return false;
    m_direcciones.erase(m_direcciones.begin() + indice);
    return true;
}

void CDataConectaURL::Ordenar() { std::sort(m_direcciones.begin(), m_direcciones.end()); }

unsigned int CDataConectaURL::Cantidad() const { return static_cast<unsigned int>(m_direcciones.size()); }

CDireccionURL CDataConectaURL::operator[](unsigned int indice) const
{
    if (indice >= Cantidad())
        return CDireccionURL();
    return m_direcciones[indice];
}
