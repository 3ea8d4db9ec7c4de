// SelectorDeProxy.cpp: the user's proxy settings, in Windows' order, and WinHttpGetProxyForUrl for
// configuration scripts and automatic detection.
#include "SelectorDeProxy.h"

#include "CatalogoDeTextos.h"
#include "Nadir/ExcepcionNadir.h"
#include "TextosSockets.h"

#include <atomic>
#include <chrono>
#include <cstdint>

namespace Nadir::Sockets {

namespace {

// Strings WinHTTP hands out for the caller to GlobalFree.
using TextoGlobal = Win32::MemoriaGlobal<wchar_t>;

CString Texto(const TextoGlobal& texto)
{
    return texto ? CString(texto.Get()) : CString();
}

// When automatic detection last found no script, for every connection of the process: a network
// without one is asked again only after kDeteccionVigente, not once per server.
std::atomic<std::int64_t> g_deteccionFallida{0};
constexpr std::chrono::minutes kDeteccionVigente{5};

std::int64_t Ahora()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool DeteccionReciente()
{
    const std::int64_t fallo = g_deteccionFallida.load();
    return fallo != 0 && Ahora() - fallo < std::chrono::milliseconds(kDeteccionVigente).count();
}

bool EsWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// "<-loopback>" in a bypass list sends loopback addresses through the proxy too.
bool BucleLocalPorProxy(const CString& excepciones)
{
    CString minusculas = excepciones;
    minusculas.MakeLower();
    return minusculas.Find(L"<-loopback>") >= 0;
}

// The proxy of a WinHTTP list ("a:1;b:2", "http=a:1;https=b:2", "http://a:1") that serves esquema.
CString ProxyPara(const CString& lista, const CString& esquema)
{
    CString elegido;
    for (int inicio = 0; inicio < lista.GetLength() && elegido.IsEmpty();) {
        int fin = inicio;
        while (fin < lista.GetLength() && lista[fin] != L';' && lista[fin] != L' ')
            ++fin;
        const CString entrada = lista.Mid(inicio, fin - inicio);
        inicio = fin + 1;
        const int igual = entrada.Find(L'=');
        if (igual < 0 || entrada.Left(igual).CompareNoCase(esquema) == 0)
            elegido = entrada.Mid(igual + 1);
    }
    const int barras = elegido.Find(L"://");
    return barras < 0 ? elegido : elegido.Mid(barras + 3);
}

}  // namespace

SelectorDeProxy::SelectorDeProxy(const CString& agente, bool delSistema) : m_agente(agente), m_delSistema(delSistema)
{
    if (!m_delSistema)
        return;
    // Windows 8.1 and later resolve every proxy setting themselves. Wine 8 accepts the access type
    // and then goes direct, so there the settings are read as on earlier Windows.
    if (!EsWine()) {
        m_automatica = HandleInternet(WinHttpOpen(m_agente, WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                                                  WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC));
        if (m_automatica)
            return;
    }
    LeeConfiguracion();
}

void SelectorDeProxy::LeeConfiguracion()
{
    WINHTTP_PROXY_INFO winhttp = {};
    if (WinHttpGetDefaultProxyConfiguration(&winhttp)) {
        const TextoGlobal proxy(winhttp.lpszProxy);
        const TextoGlobal excepciones(winhttp.lpszProxyBypass);
        if (winhttp.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY) {
            m_proxyWinHttp = Texto(proxy);
            m_excepcionesWinHttp = Texto(excepciones);
        }
    }
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG usuario = {};
    if (WinHttpGetIEProxyConfigForCurrentUser(&usuario)) {
        const TextoGlobal guion(usuario.lpszAutoConfigUrl);
        const TextoGlobal proxy(usuario.lpszProxy);
        const TextoGlobal excepciones(usuario.lpszProxyBypass);
        m_detectar = usuario.fAutoDetect != FALSE;
        m_guion = Texto(guion);
        m_proxyIE = Texto(proxy);
        m_excepcionesIE = Texto(excepciones);
    }
    m_bucleLocalPorProxy = BucleLocalPorProxy(m_proxyWinHttp.IsEmpty() ? m_excepcionesIE : m_excepcionesWinHttp);
}

SelectorDeProxy::Ruta SelectorDeProxy::Para(const DireccionUrl& url)
{
    if (!m_delSistema)
        return Directa();
    if (m_automatica)
        return {m_automatica.Get(), CString(), true};
    if (url.EsBucleLocal() && !m_bucleLocalPorProxy)
        return Directa();
    if (!m_proxyWinHttp.IsEmpty())
        return PorProxy(m_proxyWinHttp, m_excepcionesWinHttp, url);
    if (std::optional<Ruta> delGuion = DelGuion(url))
        return *delGuion;
    if (!m_proxyIE.IsEmpty())
        return PorProxy(m_proxyIE, m_excepcionesIE, url);
    return Directa();
}

std::optional<SelectorDeProxy::Ruta> SelectorDeProxy::DelGuion(const DireccionUrl& url)
{
    for (;;) {
        const bool detectar = m_detectar && !DeteccionReciente();
        if (!detectar && m_guion.IsEmpty())
            return std::nullopt;
        WINHTTP_AUTOPROXY_OPTIONS opciones = {};
        if (detectar) {
            opciones.dwFlags |= WINHTTP_AUTOPROXY_AUTO_DETECT;
            opciones.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
        }
        if (!m_guion.IsEmpty()) {
            opciones.dwFlags |= WINHTTP_AUTOPROXY_CONFIG_URL;
            opciones.lpszAutoConfigUrl = m_guion;
        }
        opciones.fAutoLogonIfChallenged = TRUE;
        if (!m_resolutor) {
            m_resolutor = HandleInternet(WinHttpOpen(m_agente, WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                                     WINHTTP_NO_PROXY_BYPASS, 0));
            if (!m_resolutor)
                throw ExcepcionNadir(Mensaje(IDS_WINHTTP_NO_ARRANCA, GetLastError()));
        }
        WINHTTP_PROXY_INFO respuesta = {};
        // The script sees the address without its user and password.
        if (WinHttpGetProxyForUrl(m_resolutor.Get(), url.SinUsuario(), &opciones, &respuesta)) {
            const TextoGlobal proxy(respuesta.lpszProxy);
            const TextoGlobal excepciones(respuesta.lpszProxyBypass);
            if (respuesta.dwAccessType != WINHTTP_ACCESS_TYPE_NAMED_PROXY || !proxy)
                return Directa();
            return PorProxy(Texto(proxy), m_bucleLocalPorProxy ? CString(L"<-loopback>") : Texto(excepciones), url);
        }
        if (!detectar)
            return std::nullopt;
        g_deteccionFallida = Ahora();  // then the script alone, if there is one
    }
}

SelectorDeProxy::Ruta SelectorDeProxy::PorProxy(const CString& lista, const CString& excepciones, const DireccionUrl& url)
{
    return {Sesion(WINHTTP_ACCESS_TYPE_NAMED_PROXY, lista, excepciones),
            ProxyPara(lista, url.EsSegura() ? L"https" : L"http"), false};
}

SelectorDeProxy::Ruta SelectorDeProxy::Directa()
{
    return {Sesion(WINHTTP_ACCESS_TYPE_NO_PROXY, CString(), CString()), CString(), false};
}

HINTERNET SelectorDeProxy::Sesion(DWORD acceso, const CString& proxy, const CString& excepciones)
{
    const CString clave = proxy + L"|" + excepciones;
    auto encontrada = m_sesiones.find(clave);
    if (encontrada == m_sesiones.end()) {
        const bool conProxy = acceso == WINHTTP_ACCESS_TYPE_NAMED_PROXY;
        HandleInternet sesion(WinHttpOpen(m_agente, acceso, conProxy ? proxy.GetString() : WINHTTP_NO_PROXY_NAME,
                                          conProxy && !excepciones.IsEmpty() ? excepciones.GetString()
                                                                             : WINHTTP_NO_PROXY_BYPASS,
                                          WINHTTP_FLAG_ASYNC));
        if (!sesion)
            throw ExcepcionNadir(Mensaje(IDS_WINHTTP_NO_ARRANCA, GetLastError()));
        encontrada = m_sesiones.emplace(clave, std::move(sesion)).first;
    }
    return encontrada->second.Get();
}

}  // namespace Nadir::Sockets
