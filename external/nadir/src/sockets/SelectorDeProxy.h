// SelectorDeProxy.h: SelectorDeProxy, the proxy each address goes through as the user set Windows up,
// and one asynchronous WinHTTP session per proxy.
#pragma once

#include "DireccionUrl.h"
#include "PeticionHttp.h"

#include <afx.h>

#include <map>
#include <optional>

namespace Nadir::Sockets {

class SelectorDeProxy {
public:
    struct Ruta {
        HINTERNET sesion = nullptr;
        CString proxy;            // "host:port" of the proxy for messages and its login; empty: direct
        bool automatico = false;  // WinHTTP picks the proxy itself; its name is not known here
    };

    // delSistema false: every address goes direct. Reads the settings once.
    SelectorDeProxy(const CString& agente, bool delSistema);
    SelectorDeProxy(const SelectorDeProxy&) = delete;
    SelectorDeProxy& operator=(const SelectorDeProxy&) = delete;

    Ruta Para(const DireccionUrl& url);

private:
    void LeeConfiguracion();
    // What the configuration script (or automatic detection) says for url; none when neither is
    // set or neither answers.
    std::optional<Ruta> DelGuion(const DireccionUrl& url);
    Ruta PorProxy(const CString& lista, const CString& excepciones, const DireccionUrl& url);
    Ruta Directa();
    HINTERNET Sesion(DWORD acceso, const CString& proxy, const CString& excepciones);

    CString m_agente;
    bool m_delSistema;
    HandleInternet m_automatica;  // the session of the system's automatic proxy, when it serves every address
    // WinHTTP's own setting (netsh winhttp set proxy), else Internet Options'.
    CString m_proxyWinHttp;
    CString m_excepcionesWinHttp;
    bool m_detectar = false;
    CString m_guion;
    CString m_proxyIE;
    CString m_excepcionesIE;
    bool m_bucleLocalPorProxy = false;  // the bypass list in force holds <-loopback>
    HandleInternet m_resolutor;  // synchronous, for WinHttpGetProxyForUrl; opened when first needed
    std::map<CString, HandleInternet> m_sesiones;
};

}  // namespace Nadir::Sockets
