// DireccionWMS.cpp: the address's parts found by hand where IUri would re-encode them, its host through IUri.
#include "DireccionWMS.h"

#include "CatalogoDeTextos.h"
#include "Nadir/Sockets/ConexionHttp.h"
#include "TextosWMS.h"

#include <windows.h>
#include <oleauto.h>
#include <shlwapi.h>  // URL_SCHEME
#include <urlmon.h>

#include <Win32/Manejadores.h>

#include <cwchar>

namespace Nadir::OpenGIS::WMS {

namespace {

constexpr wchar_t kServicio[] = L"SERVICE=WMS";

bool EsLetra(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool EsDigito(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The scheme an address starts with ("http", "ftp", "javascript"), empty when it names none. In
// "localhost:8080/wms" the colon starts a port, not a scheme.
CString Esquema(const CString& texto)
{
    const int largo = texto.GetLength();
    if (largo == 0 || !EsLetra(texto[0]))
        return {};
    int fin = 1;
    while (fin < largo && (EsLetra(texto[fin]) || EsDigito(texto[fin]) || wcschr(L"+-.", texto[fin])))
        ++fin;
    if (fin == largo || texto[fin] != L':')
        return {};
    int puerto = fin + 1;
    while (puerto < largo && EsDigito(texto[puerto]))
        ++puerto;
    if (puerto > fin + 1 && (puerto == largo || texto[puerto] == L'/' || texto[puerto] == L'?'))
        return {};
    return texto.Left(fin);
}

// The key of a "key=value" query parameter; the whole text when it has no '='.
CString ClaveDe(const CString& parametro)
{
    const int igual = parametro.Find(L'=');
    return igual < 0 ? parametro : parametro.Left(igual);
}

CString ValorDe(const CString& parametro)
{
    const int igual = parametro.Find(L'=');
    return igual < 0 ? CString() : parametro.Mid(igual + 1);
}

bool EsVersion(const CString& clave)
{
    return clave.CompareNoCase(L"VERSION") == 0 || clave.CompareNoCase(L"WMTVER") == 0;
}

[[noreturn]] void RechazaDireccion(const CString& texto)
{
    throw ExcepcionNadir(Mensaje(IDS_DIRECCION_SIN_SERVIDOR, Sockets::SinContrasena(texto).GetString()));
}

CString HostVisible(const CString& base, const CString& escrita)
{
    Win32::PunteroCom<IUri> uri;
    if (FAILED(CreateUri(base, Uri_CREATE_CANONICALIZE, 0, uri.Recibe())))
        RechazaDireccion(escrita);
    BSTR leido = nullptr;
    const Win32::CadenaBstr host(SUCCEEDED(uri->GetHost(&leido)) ? leido : nullptr);
    if (!host || SysStringLen(host.Get()) == 0)
        RechazaDireccion(escrita);
    CString visible(host.Get(), static_cast<int>(SysStringLen(host.Get())));
    DWORD tipo = Uri_HOST_UNKNOWN;
    if (SUCCEEDED(uri->GetHostType(&tipo)) && tipo == Uri_HOST_IPV6)
        visible = L"[" + visible + L"]";
    DWORD esquema = URL_SCHEME_INVALID, puerto = 0;
    uri->GetScheme(&esquema);
    uri->GetPort(&puerto);
    if (puerto != (esquema == URL_SCHEME_HTTPS ? 443u : 80u))
        visible.AppendFormat(L":%lu", puerto);
    return visible;
}

}  // namespace

DireccionWMS::DireccionWMS(const CString& escrita)
{
    CString texto = escrita;
    texto.Trim();
    if (const int fragmento = texto.Find(L'#'); fragmento >= 0)
        texto = texto.Left(fragmento).TrimRight();
    if (texto.IsEmpty())
        throw ExcepcionNadir(Cadena(IDS_DIRECCION_VACIA));

    const CString esquema = Esquema(texto);
    if (esquema.IsEmpty()) {
        texto = (texto.Left(2) == L"//" ? L"http:" : L"http://") + texto;
    } else if (esquema.CompareNoCase(L"http") != 0 && esquema.CompareNoCase(L"https") != 0) {
        throw ExcepcionNadir(Mensaje(IDS_NO_ES_DIRECCION_WMS, Sockets::SinContrasena(texto).GetString()));
    }

    const int interrogacion = texto.Find(L'?');
    m_base = interrogacion < 0 ? texto : texto.Left(interrogacion);
    m_host = HostVisible(m_base, texto);
    if (interrogacion >= 0)
        LeeConsulta(texto.Mid(interrogacion + 1));
}

void DireccionWMS::LeeConsulta(const CString& consulta)
{
    CString versionWmt;
    int inicio = 0;
    while (inicio <= consulta.GetLength()) {
        int fin = consulta.Find(L'&', inicio);
        if (fin < 0)
            fin = consulta.GetLength();
        const CString parametro = consulta.Mid(inicio, fin - inicio);
        inicio = fin + 1;
        if (parametro.IsEmpty())  // "?&" and a trailing '&'
            continue;
        const CString clave = ClaveDe(parametro);
        if (clave.CompareNoCase(L"SERVICE") == 0) {
            if (!m_conServicio)
                m_parametros.push_back({Clave::Servicio, {}});
            m_conServicio = true;
        } else if (clave.CompareNoCase(L"REQUEST") == 0) {
            if (!m_conPeticion)
                m_parametros.push_back({Clave::Peticion, {}});
            m_conPeticion = true;
        } else if (EsVersion(clave) && ValorDe(parametro).IsEmpty()) {
            continue;  // "VERSION=" asks for nothing: negotiate
        } else {
            if (clave.CompareNoCase(L"VERSION") == 0 && m_versionFijada.IsEmpty())
                m_versionFijada = ValorDe(parametro);
            else if (clave.CompareNoCase(L"WMTVER") == 0 && versionWmt.IsEmpty())
                versionWmt = ValorDe(parametro);
            m_parametros.push_back({Clave::Propia, parametro});
        }
    }
    if (m_versionFijada.IsEmpty())
        m_versionFijada = versionWmt;
}

CString DireccionWMS::Peticion(const CString& version) const
{
    // 1.0.0 servers know the request as "capabilities"; later ones accept that name too.
    const bool wmt = version == L"1.0.0";
    const CString peticion = wmt ? L"REQUEST=capabilities" : L"REQUEST=GetCapabilities";
    CString url = m_base;
    wchar_t separador = L'?';
    auto agrega = [&](const CString& parametro) {
        url += separador;
        url += parametro;
        separador = L'&';
    };
    for (const Parametro& parametro : m_parametros) {
        switch (parametro.clave) {
        case Clave::Servicio:
            agrega(kServicio);
            break;
        case Clave::Peticion:
            agrega(peticion);
            break;
        case Clave::Propia:
            agrega(parametro.texto);
            break;
        }
    }
    if (!m_conServicio)
        agrega(kServicio);
    if (!m_conPeticion)
        agrega(peticion);
    if (m_versionFijada.IsEmpty())
        agrega((wmt ? L"WMTVER=" : L"VERSION=") + version);
    return url;
}

}  // namespace Nadir::OpenGIS::WMS
