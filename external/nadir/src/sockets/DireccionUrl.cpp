// DireccionUrl.cpp: address parsing over CreateUri, relative resolution over CoInternetCombineIUri.
// Not WinHttpCrackUrl: Wine's returns host "[" and port 0 for IPv6 literals.
#include "DireccionUrl.h"

#include "CatalogoDeTextos.h"
#include "Nadir/ExcepcionNadir.h"
#include "Nadir/Sockets/ConexionHttp.h"
#include "TextosSockets.h"

#include <oleauto.h>
#include <shlwapi.h>  // URL_SCHEME

#include <Win32/Texto.h>

#include <cwchar>
#include <string>

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
    throw ExcepcionNadir(Mensaje(IDS_DIRECCION_NO_VALIDA, SinContrasena(texto).GetString()));
}

[[noreturn]] void RechazarEsquema(const CString& texto)
{
    throw ExcepcionNadir(Mensaje(IDS_ESQUEMA_NO_ADMITIDO, SinContrasena(texto).GetString()));
}

int ValorHexadecimal(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// %XX sequences as the bytes of UTF-8 text, as curl and GDAL read a user name and password; the bytes
// wiped once decoded.
std::wstring Descodifica(const CString& texto)
{
    std::string bytes = Win32::Utf8(texto.GetString());
    size_t escritos = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const int alto = i + 2 < bytes.size() ? ValorHexadecimal(bytes[i + 1]) : -1;
        const int bajo = alto >= 0 ? ValorHexadecimal(bytes[i + 2]) : -1;
        if (bytes[i] == '%' && bajo >= 0) {
            bytes[escritos++] = static_cast<char>(alto * 16 + bajo);
            i += 2;
        } else {
            bytes[escritos++] = bytes[i];
        }
    }
    std::wstring resultado = Win32::Utf16(std::string_view(bytes.data(), escritos));
    SecureZeroMemory(bytes.data(), bytes.size());
    return resultado;
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

DireccionUrl::DireccionUrl(const CString& texto, Win32::PunteroCom<IUri> uri)
    : m_texto(SinContrasena(texto)), m_uri(std::move(uri))
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

CString DireccionUrl::Origen() const
{
    CString origen;
    origen.Format(L"%s://%s:%u", m_segura ? L"https" : L"http", m_host.GetString(), static_cast<unsigned int>(m_puerto));
    origen.MakeLower();
    return origen;
}

CString DireccionUrl::SinUsuario() const
{
    return CString(m_segura ? L"https://" : L"http://") + HostVisible() + m_recurso;
}

bool DireccionUrl::EsBucleLocal() const
{
    DWORD tipo = Uri_HOST_UNKNOWN;
    m_uri->GetHostType(&tipo);
    if (tipo == Uri_HOST_IPV4)
        return m_host.Left(4) == L"127.";
    if (tipo == Uri_HOST_IPV6)
        return m_host == L"[::1]";
    return m_host.CompareNoCase(L"localhost") == 0;
}

std::optional<Credencial> DireccionUrl::CredencialPropia() const
{
    const CString usuario = Propiedad(m_uri.Get(), &IUri::GetUserName);
    CString contrasena = Propiedad(m_uri.Get(), &IUri::GetPassword);
    std::optional<Credencial> credencial;
    if (!usuario.IsEmpty() || !contrasena.IsEmpty())
        credencial.emplace(Descodifica(usuario).c_str(), Descodifica(contrasena));
    SecureZeroMemory(contrasena.GetBuffer(), contrasena.GetLength() * sizeof(wchar_t));
    contrasena.ReleaseBuffer(0);
    return credencial;
}

CString DireccionUrl::HostVisible() const
{
    CString host = m_host;
    const INTERNET_PORT propio = m_segura ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    if (m_puerto != propio)
        host.AppendFormat(L":%u", static_cast<unsigned int>(m_puerto));
    return host;
}

CString SinContrasena(const CString& direccion)
{
    // The authority runs from after "//" to the first '/', '?' or '#'; without "//" there is none
    // ("mailto:wms@example.org").
    const int barras = direccion.Find(L"//");
    if (barras < 0)
        return direccion;
    const int inicio = barras + 2;
    int fin = inicio;
    while (fin < direccion.GetLength() && !wcschr(L"/?#", direccion[fin]))
        ++fin;
    const CString autoridad = direccion.Mid(inicio, fin - inicio);
    const int arroba = autoridad.ReverseFind(L'@');
    const int dosPuntos = arroba < 0 ? -1 : autoridad.Left(arroba).Find(L':');
    if (dosPuntos < 0)
        return direccion;
    return direccion.Left(inicio + dosPuntos) + direccion.Mid(inicio + arroba);
}

}  // namespace Nadir::Sockets
