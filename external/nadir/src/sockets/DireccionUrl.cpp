// DireccionUrl.cpp: address parsing over CreateUri, relative resolution over CoInternetCombineIUri.
// Not WinHttpCrackUrl: Wine's returns host "[" and port 0 for IPv6 literals.
#include "DireccionUrl.h"

#include "CatalogoDeTextos.h"
#include "Nadir/ExcepcionNadir.h"
#include "TextosSockets.h"

#include <oleauto.h>
#include <shlwapi.h>  // URL_SCHEME

namespace Nadir::Sockets {

namespace {

CString Propiedad(IUri* uri, HRESULT (STDMETHODCALLTYPE IUri::*leer)(BSTR*))
{
    BSTR valor = nullptr;
    const Win32::CadenaBstr propio(SUCCEEDED((uri->*leer)(&valor)) ? valor : nullptr);
    return propio ? CString(propio.Get(), static_cast<int>(SysStringLen(propio.Get()))) : CString();
}

[[noreturn]] void RechazarDireccion(const CString& texto)
{
    throw ExcepcionNadir(Mensaje(IDS_DIRECCION_NO_VALIDA, texto.GetString()));
}

[[noreturn]] void RechazarEsquema(const CString& texto)
{
    throw ExcepcionNadir(Mensaje(IDS_ESQUEMA_NO_ADMITIDO, texto.GetString()));
}

Win32::PunteroCom<IUri> Analizar(const CString& texto, DWORD banderas)
{
    Win32::PunteroCom<IUri> uri;
    if (texto.IsEmpty() || FAILED(CreateUri(texto, banderas, 0, uri.Recibe())))
        RechazarDireccion(texto);
    return uri;
}

}  // namespace

DireccionUrl::DireccionUrl(const CString& texto) : DireccionUrl(texto, Analizar(texto, Uri_CREATE_CANONICALIZE)) {}

DireccionUrl::DireccionUrl(const CString& texto, Win32::PunteroCom<IUri> uri) : m_texto(texto), m_uri(std::move(uri))
{
    DWORD esquema = URL_SCHEME_INVALID;
    m_uri->GetScheme(&esquema);
    if (esquema != URL_SCHEME_HTTP && esquema != URL_SCHEME_HTTPS)
        RechazarEsquema(texto);
    m_segura = esquema == URL_SCHEME_HTTPS;
    m_host = Propiedad(m_uri.Get(), &IUri::GetHost);
    if (m_host.IsEmpty())
        RechazarDireccion(texto);
    // WinHttpConnect takes IPv6 literals in brackets, and only then sends a valid Host header.
    DWORD tipoDeHost = Uri_HOST_UNKNOWN;
    if (SUCCEEDED(m_uri->GetHostType(&tipoDeHost)) && tipoDeHost == Uri_HOST_IPV6)
        m_host = L"[" + m_host + L"]";
    DWORD puerto = 0;
    m_uri->GetPort(&puerto);
    m_puerto = static_cast<INTERNET_PORT>(puerto);
    m_recurso = Propiedad(m_uri.Get(), &IUri::GetPathAndQuery);
    if (m_recurso.IsEmpty())
        m_recurso = L"/";
    m_canonica = Propiedad(m_uri.Get(), &IUri::GetAbsoluteUri);
}

DireccionUrl DireccionUrl::Resolver(const CString& ubicacion) const
{
    Win32::PunteroCom<IUri> relativa = Analizar(ubicacion, Uri_CREATE_ALLOW_RELATIVE);
    Win32::PunteroCom<IUri> absoluta;
    if (FAILED(CoInternetCombineIUri(m_uri.Get(), relativa.Get(), 0, absoluta.Recibe(), 0)))
        RechazarDireccion(ubicacion);
    const CString texto = Propiedad(absoluta.Get(), &IUri::GetAbsoluteUri);
    return DireccionUrl(texto, std::move(absoluta));
}

CString DireccionUrl::HostVisible() const
{
    CString host = m_host;
    const INTERNET_PORT propio = m_segura ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    if (m_puerto != propio)
        host.AppendFormat(L":%u", static_cast<unsigned int>(m_puerto));
    return host;
}

}  // namespace Nadir::Sockets
