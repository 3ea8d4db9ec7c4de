// ConexionHttp.cpp: the sessions, the wait the user sees, and the redirect and login loops of Get.
#include "Nadir/Sockets/ConexionHttp.h"

#include "Autenticacion.h"
#include "CatalogoDeTextos.h"
#include "DireccionUrl.h"
#include "EsperaVisible.h"
#include "PeticionHttp.h"
#include "SelectorDeProxy.h"
#include "TextosSockets.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <set>
#include <utility>

namespace Nadir::Sockets {

namespace {

bool EsRedireccion(unsigned int estado)
{
    return estado == 301 || estado == 302 || estado == 303 || estado == 307 || estado == 308;
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

// The logins of one address, each made at its target's first challenge: most servers never ask, and a
// login's texts cost lookups.
class LoginsDeUnSalto {
public:
    // deLaDireccion: the credentials written in the address, when this is that address's server.
    LoginsDeUnSalto(const DireccionUrl& url, const std::optional<Credencial>* deLaDireccion,
                    const SelectorDeProxy::Ruta& ruta, CredencialesAceptadas& aceptadas, EsperaVisible& espera)
        : m_url(url), m_deLaDireccion(deLaDireccion), m_ruta(ruta), m_aceptadas(aceptadas), m_espera(espera)
    {
    }

    // The login that answers status estado: the server's on 401, the proxy's on 407, none otherwise.
    Autenticacion* Para(unsigned int estado)
    {
        if (estado == 401 && !m_servidor)
            m_servidor.emplace(Autenticacion::DelServidor(
                m_url, m_deLaDireccion ? *m_deLaDireccion : std::nullopt, m_aceptadas, m_espera));
        if (estado == 407 && !m_proxy)
            m_proxy.emplace(Autenticacion::DelProxy(m_ruta.proxy, m_ruta.automatico, m_aceptadas, m_espera));
        return estado == 401 ? &*m_servidor : estado == 407 ? &*m_proxy : nullptr;
    }
    void NuevaPeticion()
    {
        for (std::optional<Autenticacion>* login : {&m_servidor, &m_proxy})
            if (*login)
                (*login)->NuevaPeticion();
    }
    void Concluye(unsigned int estado)
    {
        for (std::optional<Autenticacion>* login : {&m_proxy, &m_servidor})
            if (*login)
                (*login)->Concluye(estado);
    }

private:
    const DireccionUrl& m_url;
    const std::optional<Credencial>* m_deLaDireccion;
    const SelectorDeProxy::Ruta& m_ruta;
    CredencialesAceptadas& m_aceptadas;
    EsperaVisible& m_espera;
    std::optional<Autenticacion> m_servidor;
    std::optional<Autenticacion> m_proxy;
};

// The answer that ends the redirects: its status line, type and final address, then its body.
RespuestaHttp Contesta(PeticionHttp& peticion, unsigned int estado, const DireccionUrl& direccion,
                       ReceptorDeCuerpo& receptor)
{
    RespuestaHttp respuesta;
    respuesta.estado = estado;
    respuesta.frase = peticion.Cabecera(WINHTTP_QUERY_STATUS_TEXT);
    respuesta.tipoContenido = peticion.Cabecera(WINHTTP_QUERY_CONTENT_TYPE);
    respuesta.urlFinal = direccion.Texto();
    peticion.LeerCuerpo(respuesta, receptor);
    return respuesta;
}

// Where a redirect leads; refused when it leaves TLS, comes back to an address already asked or is one too many.
DireccionUrl Redirige(const DireccionUrl& actual, const CString& ubicacion, std::set<CString>& visitadas,
                      unsigned int redirecciones, unsigned int limite)
{
    DireccionUrl siguiente = actual.Resolver(ubicacion);
    if (actual.EsSegura() && !siguiente.EsSegura())
        Rechazar(IDS_REDIRECCION_INSEGURA, actual.HostVisible(), siguiente.Texto());
    if (!visitadas.insert(siguiente.Canonica()).second)
        Rechazar(IDS_REDIRECCION_EN_BUCLE, actual.HostVisible(), siguiente.Texto());
    if (redirecciones == limite)
        throw ExcepcionNadir(Mensaje(IDS_DEMASIADAS_REDIRECCIONES, actual.HostVisible().GetString(), limite,
                                     siguiente.Texto().GetString()));
    return siguiente;
}

}  // namespace

ServidorOmitido::ServidorOmitido(const CString& mensaje) : ExcepcionNadir(mensaje) {}

ObservadorHttp::~ObservadorHttp() = default;

struct ConexionHttp::Impl {
    Impl(const CString& agente, bool proxyDelSistema) : proxies(agente, proxyDelSistema) {}

    SelectorDeProxy proxies;
    Limites limites;
    ObservadorHttp* observador = nullptr;
    std::unique_ptr<EsperaVisible> consulta;  // the wait of the Consulta in course
    CredencialesAceptadas aceptadas;
};

ConexionHttp::ConexionHttp(const CString& agente, unsigned int opciones)
{
    if (opciones & ~kProxyDelSistema)
        throw ExcepcionNadir(Mensaje(IDS_OPCION_DESCONOCIDA, opciones & ~kProxyDelSistema, kProxyDelSistema));
    m_impl = std::make_unique<Impl>(agente, (opciones & kProxyDelSistema) != 0);
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

void ConexionHttp::SetObservador(ObservadorHttp* observador)
{
    m_impl->observador = observador;
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
    DireccionUrl actual(url);
    std::optional<EsperaVisible> propia;
    EsperaVisible& espera =
        m_impl->consulta ? *m_impl->consulta : propia.emplace(actual.HostVisible(), m_impl->observador);
    Limites limites = m_impl->limites;
    if (espera.ConUsuario())
        limites.inactividad = limites.inactividadConUsuario;
    const auto plazo = PeticionHttp::Reloj::now() + limites.total;
    // The address's own user and password are for its server alone.
    const CString origen = actual.Origen();
    const std::optional<Credencial> deLaDireccion = actual.CredencialPropia();
    std::set<CString> visitadas{actual.Canonica()};
    for (unsigned int redirecciones = 0;; ++redirecciones) {
        const SelectorDeProxy::Ruta ruta = m_impl->proxies.Para(actual);
        LoginsDeUnSalto logins(actual, actual.Origen() == origen ? &deLaDireccion : nullptr, ruta,
                               m_impl->aceptadas, espera);
        std::optional<PeticionHttp> peticion;
        peticion.emplace(ruta.sesion, actual, limites, plazo, espera);
        unsigned int estado = 0;
        for (;;) {
            peticion->Enviar();
            estado = peticion->Estado();
            Autenticacion* pide = logins.Para(estado);
            const Autenticacion::Paso paso = pide ? pide->Responde(peticion->Handle()) : Autenticacion::Paso::Ninguno;
            if (paso == Autenticacion::Paso::Ninguno)
                break;
            if (paso == Autenticacion::Paso::NuevaPeticion) {
                peticion.reset();
                peticion.emplace(ruta.sesion, actual, limites, plazo, espera);
                logins.NuevaPeticion();
            }
        }
        logins.Concluye(estado);
        PeticionHttp& respondida = *peticion;

        const CString ubicacion = respondida.Cabecera(WINHTTP_QUERY_LOCATION);
        if (!EsRedireccion(estado) || ubicacion.IsEmpty())
            return Contesta(respondida, estado, actual, receptor);
        actual = Redirige(actual, ubicacion, visitadas, redirecciones, limites.redirecciones);
    }
}

ConexionHttp::Consulta::Consulta(const ConexionHttp& conexion, const CString& servidor)
    : m_conexion(conexion), m_propia(!conexion.m_impl->consulta)
{
    if (m_propia)
        conexion.m_impl->consulta = std::make_unique<EsperaVisible>(servidor, conexion.m_impl->observador);
}

ConexionHttp::Consulta::~Consulta()
{
    if (m_propia)
        m_conexion.m_impl->consulta.reset();
}

}  // namespace Nadir::Sockets
