// ConexionHttp.cpp: the WinHTTP session, proxy choice and the redirect loop of Get.
#include "Nadir/Sockets/ConexionHttp.h"

#include "DireccionUrl.h"
#include "HandleInternet.h"
#include "PeticionHttp.h"

#include <memory>
#include <set>
#include <utility>

namespace Nadir::Sockets {

namespace {

// Strings WinHTTP hands out for the caller to GlobalFree.
struct LiberarGlobal {
    void operator()(wchar_t* texto) const { GlobalFree(texto); }
};
using TextoGlobal = std::unique_ptr<wchar_t, LiberarGlobal>;

bool EsRedireccion(unsigned int estado)
{
    return estado == 301 || estado == 302 || estado == 303 || estado == 307 || estado == 308;
}

HandleInternet AbrirSesion(const CString& agente, DWORD acceso, LPCWSTR proxy = WINHTTP_NO_PROXY_NAME,
                           LPCWSTR excepciones = WINHTTP_NO_PROXY_BYPASS)
{
    HandleInternet sesion(WinHttpOpen(agente, acceso, proxy, excepciones, 0));
    if (!sesion) {
        CString mensaje;
        mensaje.Format(L"Cannot start WinHTTP (error %lu).", GetLastError());
        throw ExcepcionNadir(mensaje);
    }
    return sesion;
}

// The proxy set for WinHTTP (netsh winhttp) when there is one, else the static proxy of the
// user's Internet Options, else none.
HandleInternet AbrirSesionConProxyDelSistema(const CString& agente)
{
    WINHTTP_PROXY_INFO porDefecto = {};
    if (WinHttpGetDefaultProxyConfiguration(&porDefecto)) {
        TextoGlobal proxy(porDefecto.lpszProxy);
        TextoGlobal excepciones(porDefecto.lpszProxyBypass);
        if (porDefecto.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && proxy)
            return AbrirSesion(agente, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.get(),
                               excepciones ? excepciones.get() : WINHTTP_NO_PROXY_BYPASS);
    }
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG usuario = {};
    if (WinHttpGetIEProxyConfigForCurrentUser(&usuario)) {
        TextoGlobal autoconfiguracion(usuario.lpszAutoConfigUrl);
        TextoGlobal proxy(usuario.lpszProxy);
        TextoGlobal excepciones(usuario.lpszProxyBypass);
        if (proxy)
            return AbrirSesion(agente, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.get(),
                               excepciones ? excepciones.get() : WINHTTP_NO_PROXY_BYPASS);
    }
    return AbrirSesion(agente, WINHTTP_ACCESS_TYPE_NO_PROXY);
}

[[noreturn]] void Rechazar(LPCWSTR formato, const CString& host, const CString& direccion)
{
    CString mensaje;
    mensaje.Format(formato, host.GetString(), direccion.GetString());
    throw ExcepcionNadir(mensaje);
}

}  // namespace

struct ConexionHttp::Impl {
    HandleInternet sesion;
    Limites limites;
};

ConexionHttp::ConexionHttp(const CString& agente, unsigned int opciones) : m_impl(std::make_unique<Impl>())
{
    if (opciones & ~kProxyDelSistema) {
        CString mensaje;
        mensaje.Format(L"Unknown HTTP connection option 0x%X (the only option is %u: use the system proxy).",
                       opciones & ~kProxyDelSistema, kProxyDelSistema);
        throw ExcepcionNadir(mensaje);
    }
    m_impl->sesion = (opciones & kProxyDelSistema) ? AbrirSesionConProxyDelSistema(agente)
                                                   : AbrirSesion(agente, WINHTTP_ACCESS_TYPE_NO_PROXY);
}

ConexionHttp::~ConexionHttp() = default;

const ConexionHttp::Limites& ConexionHttp::GetLimites() const
{
    return m_impl->limites;
}

void ConexionHttp::SetLimites(const Limites& limites)
{
    m_impl->limites = limites;
}

RespuestaHttp ConexionHttp::Get(const CString& url) const
{
    const Limites& limites = m_impl->limites;
    const auto plazo = PeticionHttp::Reloj::now() + limites.total;
    DireccionUrl actual(url);
    std::set<CString> visitadas{actual.Canonica()};
    for (unsigned int redirecciones = 0;; ++redirecciones) {
        PeticionHttp peticion(m_impl->sesion.Get(), actual, limites, plazo);
        peticion.Enviar();
        const unsigned int estado = peticion.Estado();
        const CString ubicacion = peticion.Cabecera(WINHTTP_QUERY_LOCATION);
        if (!EsRedireccion(estado) || ubicacion.IsEmpty()) {
            RespuestaHttp respuesta;
            respuesta.estado = estado;
            respuesta.frase = peticion.Cabecera(WINHTTP_QUERY_STATUS_TEXT);
            respuesta.tipoContenido = peticion.Cabecera(WINHTTP_QUERY_CONTENT_TYPE);
            respuesta.urlFinal = actual.Texto();
            respuesta.cuerpo = peticion.LeerCuerpo();
            return respuesta;
        }

        DireccionUrl siguiente = actual.Resolver(ubicacion);
        if (actual.EsSegura() && !siguiente.EsSegura())
            Rechazar(L"%s redirected the secure request to the unencrypted address %s; the redirect was refused.",
                     actual.HostVisible(), siguiente.Texto());
        if (!visitadas.insert(siguiente.Canonica()).second)
            Rechazar(L"%s redirects in a loop (back to %s).", actual.HostVisible(), siguiente.Texto());
        if (redirecciones == limites.redirecciones) {
            CString mensaje;
            mensaje.Format(L"%s redirected more than %u times; the last redirect was to %s.",
                           actual.HostVisible().GetString(), limites.redirecciones, siguiente.Texto().GetString());
            throw ExcepcionNadir(mensaje);
        }
        actual = std::move(siguiente);
    }
}

}  // namespace Nadir::Sockets
