// Autenticacion.cpp: WinHttpQueryAuthSchemes and WinHttpSetCredentials over the sources of credentials.
#include "Autenticacion.h"

#include "CatalogoDeTextos.h"
#include "TextosSockets.h"

namespace Nadir::Sockets {

namespace {

constexpr wchar_t kPrefijoDeDestino[] = L"Nadir:";

// Strongest first; Passport is not offered.
DWORD EsquemaMasFuerte(DWORD admitidos)
{
    for (const DWORD esquema : {WINHTTP_AUTH_SCHEME_NEGOTIATE, WINHTTP_AUTH_SCHEME_NTLM, WINHTTP_AUTH_SCHEME_DIGEST,
                                WINHTTP_AUTH_SCHEME_BASIC})
        if (admitidos & esquema)
            return esquema;
    return 0;
}

CString MensajeDelAviso(UINT pide, bool cifrada)
{
    // The warning first: Wine's prompt shows the first line only.
    return cifrada ? Cadena(pide) : Cadena(IDS_SIN_CIFRAR) + L"\n" + Cadena(pide);
}

}  // namespace

Autenticacion Autenticacion::DelServidor(const DireccionUrl& url, std::optional<Credencial> deLaDireccion,
                                         CredencialesAceptadas& aceptadas, EsperaVisible& espera)
{
    const CString host = url.HostVisible();
    Autenticacion autenticacion(WINHTTP_AUTH_TARGET_SERVER, host, kPrefijoDeDestino + url.Origen(), aceptadas, espera);
    autenticacion.m_titulo = Mensaje(IDS_TITULO_CREDENCIALES, host.GetString());
    autenticacion.m_mensaje = MensajeDelAviso(IDS_PIDE_CREDENCIALES, url.EsSegura());
    autenticacion.m_comoDarlas = Mensaje(IDS_COMO_DAR_CREDENCIALES, url.EsSegura() ? L"https" : L"http",
                                         host.GetString(), autenticacion.m_destino.GetString());
    autenticacion.m_deLaDireccion = std::move(deLaDireccion);
    return autenticacion;
}

Autenticacion Autenticacion::DelProxy(const CString& proxy, bool automatico, CredencialesAceptadas& aceptadas,
                                      EsperaVisible& espera)
{
    CString direccion = automatico ? CString(L"proxy") : L"http://" + proxy;
    direccion.MakeLower();
    const CString destino = kPrefijoDeDestino + direccion;
    const CString nombre = automatico ? Cadena(IDS_EL_PROXY_AUTOMATICO) : Mensaje(IDS_EL_PROXY, proxy.GetString());
    Autenticacion autenticacion(WINHTTP_AUTH_TARGET_PROXY, nombre, destino, aceptadas, espera);
    autenticacion.m_titulo = automatico ? nombre : Mensaje(IDS_TITULO_CREDENCIALES_PROXY, proxy.GetString());
    // Between us and the proxy the request is plain http, whatever the address.
    autenticacion.m_mensaje = MensajeDelAviso(IDS_PIDE_CREDENCIALES_PROXY, false);
    autenticacion.m_comoDarlas = Mensaje(IDS_COMO_DAR_CREDENCIALES_PROXY, destino.GetString());
    return autenticacion;
}

Autenticacion::Autenticacion(DWORD objetivo, const CString& nombre, const CString& destino,
                             CredencialesAceptadas& aceptadas, EsperaVisible& espera)
    : m_objetivo(objetivo), m_nombre(nombre), m_destino(destino), m_aceptadas(aceptadas), m_espera(espera)
{
}

Autenticacion::Paso Autenticacion::Responde(HINTERNET peticion)
{
    DWORD admitidos = 0;
    DWORD primero = 0;
    DWORD objetivo = 0;
    if (!WinHttpQueryAuthSchemes(peticion, &admitidos, &primero, &objetivo))
        return Paso::Ninguno;
    const DWORD esquema = EsquemaMasFuerte(admitidos);
    if (esquema == 0)
        return Paso::Ninguno;
    if (m_aplicada) {
        m_probada = Distinta();
        m_aplicada = false;
        return Paso::NuevaPeticion;
    }
    if (!m_probada)
        m_probada = Distinta();
    if (!WinHttpSetCredentials(peticion, m_objetivo, esquema, m_probada->Usuario(), m_probada->Contrasena(), nullptr))
        FallaSinCredenciales();
    m_aplicada = true;
    return Paso::Reenviar;
}

void Autenticacion::Concluye(unsigned int estado)
{
    const unsigned int rechazo = m_objetivo == WINHTTP_AUTH_TARGET_SERVER ? 401 : 407;
    // Chosen for a new request that was never challenged: never sent, so never accepted either.
    if (!m_probada || !m_aplicada || estado == rechazo)
        return;
    m_aceptadas.insert_or_assign(m_destino, *m_probada);
    if (m_recordar)
        GuardaEnAdministrador(m_destino, *m_probada);
}

Credencial Autenticacion::Distinta()
{
    for (;;) {
        std::optional<Credencial> credencial = Siguiente();
        if (!credencial)
            FallaSinCredenciales();
        if (m_dePregunta || !m_probada || !(*credencial == *m_probada))
            return *credencial;
    }
}

std::optional<Credencial> Autenticacion::Siguiente()
{
    m_dePregunta = false;
    m_recordar = false;
    for (;;) {
        switch (m_siguiente) {
        case Fuente::Aceptada:
            m_siguiente = Fuente::Direccion;
            if (const auto aceptada = m_aceptadas.find(m_destino); aceptada != m_aceptadas.end())
                return aceptada->second;
            break;
        case Fuente::Direccion:
            m_siguiente = Fuente::Administrador;
            if (m_deLaDireccion)
                return m_deLaDireccion;
            break;
        case Fuente::Administrador:
            m_siguiente = Fuente::Usuario;
            if (std::optional<Credencial> guardada = LeeDelAdministrador(m_destino))
                return guardada;
            break;
        case Fuente::Usuario:
            if (std::optional<Credencial> dada = PreguntaAlUsuario())
                return dada;
            m_siguiente = Fuente::Ninguna;
            break;
        case Fuente::Ninguna:
            return std::nullopt;
        }
    }
}

std::optional<Credencial> Autenticacion::PreguntaAlUsuario()
{
    if (!m_espera.ConUsuario() || m_preguntas == kPreguntas)
        return std::nullopt;
    ++m_preguntas;
    std::optional<Credencial> dada = m_probada;  // its user name fills the prompt
    bool recordar = false;
    const EsperaVisible::Aparte aparte(m_espera);
    switch (PideAlUsuario(m_espera.Propietario(), m_destino, m_titulo, m_mensaje, m_probada.has_value(), dada,
                          recordar)) {
    case RespuestaDelUsuario::Cancelada:
        throw ExcepcionNadir(Mensaje(IDS_CREDENCIALES_CANCELADAS, m_nombre.GetString()));
    case RespuestaDelUsuario::SinPregunta:
        m_preguntas = kPreguntas;
        return std::nullopt;
    case RespuestaDelUsuario::Dada:
        break;
    }
    m_dePregunta = true;
    m_recordar = recordar;
    return dada;
}

void Autenticacion::FallaSinCredenciales() const
{
    CString mensaje = Mensaje(m_probada ? IDS_CREDENCIALES_RECHAZADAS : IDS_CREDENCIALES_NECESARIAS,
                              m_nombre.GetString());
    // Someone who had no prompt learns where else to give them.
    if (m_preguntas == 0)
        mensaje += L" " + m_comoDarlas;
    throw ExcepcionNadir(mensaje);
}

}  // namespace Nadir::Sockets
