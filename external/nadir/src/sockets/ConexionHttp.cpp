// ConexionHttp.cpp: the WinHTTP session, proxy choice and the redirect loop of Get.
#include "Nadir/Sockets/ConexionHttp.h"

#include "CatalogoDeTextos.h"
#include "DireccionUrl.h"
#include "PeticionHttp.h"
#include "TextosSockets.h"

#include <memory>
#include <set>
#include <utility>

namespace Nadir::Sockets {

namespace {

// Strings WinHTTP hands out for the caller to GlobalFree.
using TextoGlobal = Win32::MemoriaGlobal<wchar_t>;

bool EsRedireccion(unsigned int estado)
{
    return estado == 301 || estado == 302 || estado == 303 || estado == 307 || estado == 308;
}

HandleInternet AbrirSesion(const CString& agente, DWORD acceso, LPCWSTR proxy = WINHTTP_NO_PROXY_NAME,
                           LPCWSTR excepciones = WINHTTP_NO_PROXY_BYPASS)
{
    HandleInternet sesion(WinHttpOpen(agente, acceso, proxy, excepciones, 0));
    if (!sesion)
        throw ExcepcionNadir(Mensaje(IDS_WINHTTP_NO_ARRANCA, GetLastError()));
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
            return AbrirSesion(agente, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.Get(),
                               excepciones ? excepciones.Get() : WINHTTP_NO_PROXY_BYPASS);
    }
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG usuario = {};
    if (WinHttpGetIEProxyConfigForCurrentUser(&usuario)) {
        TextoGlobal autoconfiguracion(usuario.lpszAutoConfigUrl);
        TextoGlobal proxy(usuario.lpszProxy);
        TextoGlobal excepciones(usuario.lpszProxyBypass);
        if (proxy)
            return AbrirSesion(agente, WINHTTP_ACCESS_TYPE_NAMED_PROXY, proxy.Get(),
                               excepciones ? excepciones.Get() : WINHTTP_NO_PROXY_BYPASS);
    }
    return AbrirSesion(agente, WINHTTP_ACCESS_TYPE_NO_PROXY);
}

// The body kept whole, in room reserved from its declared length.
class CuerpoEnTexto : public ReceptorDeCuerpo {
public:
    explicit CuerpoEnTexto(std::string& cuerpo) : m_cuerpo(cuerpo) {}

    void Empieza(const RespuestaHttp&, std::optional<std::uint64_t> longitud) override
    {
        if (longitud)
            m_cuerpo.reserve(static_cast<size_t>(*longitud));
    }
    std::span<char> Espacio(std::size_t minimo) override
    {
        m_cuerpo.resize(m_usados + minimo);
        return {m_cuerpo.data() + m_usados, minimo};
    }
    void Recibe(std::size_t bytes) override
    {
        m_usados += bytes;
        m_cuerpo.resize(m_usados);
    }
    void Termina() override {}

private:
    std::string& m_cuerpo;
    std::size_t m_usados = 0;
};

[[noreturn]] void Rechazar(UINT formato, const CString& host, const CString& direccion)
{
    throw ExcepcionNadir(Mensaje(formato, host.GetString(), direccion.GetString()));
}

}  // namespace

struct ConexionHttp::Impl {
    HandleInternet sesion;
    Limites limites;
};

ConexionHttp::ConexionHttp(const CString& agente, unsigned int opciones) : m_impl(std::make_unique<Impl>())
{
    if (opciones & ~kProxyDelSistema)
        throw ExcepcionNadir(Mensaje(IDS_OPCION_DESCONOCIDA, opciones & ~kProxyDelSistema, kProxyDelSistema));
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
    std::string cuerpo;
    CuerpoEnTexto receptor(cuerpo);
    RespuestaHttp respuesta = Get(url, receptor);
    respuesta.cuerpo = std::move(cuerpo);
    return respuesta;
}

RespuestaHttp ConexionHttp::Get(const CString& url, ReceptorDeCuerpo& receptor) const
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
            peticion.LeerCuerpo(respuesta, receptor);
            return respuesta;
        }

        DireccionUrl siguiente = actual.Resolver(ubicacion);
        if (actual.EsSegura() && !siguiente.EsSegura())
            Rechazar(IDS_REDIRECCION_INSEGURA, actual.HostVisible(), siguiente.Texto());
        if (!visitadas.insert(siguiente.Canonica()).second)
            Rechazar(IDS_REDIRECCION_EN_BUCLE, actual.HostVisible(), siguiente.Texto());
        if (redirecciones == limites.redirecciones)
            throw ExcepcionNadir(Mensaje(IDS_DEMASIADAS_REDIRECCIONES, actual.HostVisible().GetString(),
                                         limites.redirecciones, siguiente.Texto().GetString()));
        actual = std::move(siguiente);
    }
}

}  // namespace Nadir::Sockets
