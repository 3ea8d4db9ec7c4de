// PeticionHttp.cpp: connect, send, headers and body of one GET, each step started asynchronously and
// waited for through EsperaVisible, and the messages for its failures.
#include "PeticionHttp.h"

#include "CatalogoDeTextos.h"
#include "TextosSockets.h"

#include <Win32/Texto.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <memory>
#include <vector>

namespace Nadir::Sockets {

namespace {

using std::chrono::milliseconds;

constexpr DWORD kBloque = 64 * 1024;
// Wine's WinHTTP reports its receive timeouts with the raw Winsock code instead of 12002.
constexpr DWORD kTiempoAgotadoWinsock = 10060;
constexpr wchar_t kCabeceras[] = L"Accept-Encoding: gzip, deflate\r\n";

CString Duracion(milliseconds duracion)
{
    CString texto;
    if (duracion.count() >= 60'000 && duracion.count() % 60'000 == 0)
        texto.Format(L"%lld min", static_cast<long long>(duracion.count() / 60'000));
    else
        texto.Format(L"%g s", duracion.count() / 1000.0);
    return texto;
}

CString Tamano(std::size_t bytes)
{
    CString texto;
    if (bytes != 0 && bytes % (1u << 20) == 0)
        texto.Format(L"%I64u MiB", static_cast<unsigned long long>(bytes >> 20));
    else if (bytes != 0 && bytes % 1024 == 0)
        texto.Format(L"%I64u KiB", static_cast<unsigned long long>(bytes >> 10));
    else
        texto.Format(L"%I64u bytes", static_cast<unsigned long long>(bytes));
    return texto;
}

// The system's own text for a WinHTTP or Windows error code.
CString TextoDeError(DWORD error)
{
    CString resultado = Win32::MensajeDelSistema(error, GetModuleHandleW(L"winhttp.dll")).c_str();
    if (resultado.IsEmpty())
        resultado = Cadena(IDS_ERROR_DESCONOCIDO);
    return Mensaje(IDS_ERROR_CON_CODIGO, resultado.GetString(), error);
}

bool EsErrorTls(DWORD error)
{
    switch (error) {
    case ERROR_WINHTTP_SECURE_FAILURE:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CHANNEL_ERROR:
        return true;
    default:
        return false;
    }
}

}  // namespace

struct PeticionHttp::Avisos {
    Win32::ObjetoDelNucleo listo{CreateEventW(nullptr, FALSE, FALSE, nullptr)};  // a step completed
    std::atomic<DWORD> error{0};
    std::atomic<DWORD> bytes{0};  // available, or read
    std::atomic<bool> conectado{false};
    std::atomic<DWORD> fallosTls{0};  // WINHTTP_CALLBACK_STATUS_FLAG_* of a refused certificate
    std::atomic<AvanceHttp::Fase> fase{AvanceHttp::Fase::Conectando};
};

PeticionHttp::PeticionHttp(HINTERNET sesion, const DireccionUrl& url, const ConexionHttp::Limites& limites,
                           Reloj::time_point plazo, EsperaVisible& espera)
    : m_url(url), m_limites(limites), m_plazo(plazo), m_espera(espera)
{
    m_conexion = HandleInternet(WinHttpConnect(sesion, url.Host(), url.Puerto(), 0));
    if (!m_conexion)
        FallarWinHttp(GetLastError(), Fase::Conexion);
    m_peticion = HandleInternet(WinHttpOpenRequest(m_conexion.Get(), L"GET", url.Recurso(), nullptr,
                                                   WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                   url.EsSegura() ? WINHTTP_FLAG_SECURE : 0));
    if (!m_peticion)
        FallarWinHttp(GetLastError(), Fase::Conexion);
    auto avisos = std::make_unique<Avisos>();
    const DWORD llamadas = WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS | WINHTTP_CALLBACK_FLAG_HANDLES |
                           WINHTTP_CALLBACK_FLAG_CONNECT_TO_SERVER | WINHTTP_CALLBACK_FLAG_SEND_REQUEST |
                           WINHTTP_CALLBACK_FLAG_SECURE_FAILURE;
    DWORD_PTR contexto = reinterpret_cast<DWORD_PTR>(avisos.get());
    if (!avisos->listo ||
        WinHttpSetStatusCallback(m_peticion.Get(), &PeticionHttp::AlAvanzar, llamadas, 0) ==
            WINHTTP_INVALID_STATUS_CALLBACK ||
        !WinHttpSetOption(m_peticion.Get(), WINHTTP_OPTION_CONTEXT_VALUE, &contexto, sizeof(contexto)))
        FallarWinHttp(GetLastError(), Fase::Conexion);
    // From here the callback owns them: it frees them when the handle closes.
    m_avisos = avisos.release();
    // Redirects are followed by ConexionHttp, which checks each hop.
    DWORD sinRedirecciones = WINHTTP_DISABLE_REDIRECTS;
    if (!WinHttpSetOption(m_peticion.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &sinRedirecciones,
                          sizeof(sinRedirecciones)) ||
        !WinHttpAddRequestHeaders(m_peticion.Get(), kCabeceras, static_cast<DWORD>(-1),
                                  WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE))
        FallarWinHttp(GetLastError(), Fase::Conexion);
}

PeticionHttp::~PeticionHttp()
{
    // A step left pending (the user skipped) may call back after this object is gone; WinHTTP then
    // holds the callback, so the library stays loaded.
    if (m_pendiente) {
        HMODULE propio = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&PeticionHttp::AlAvanzar), &propio);
    }
}

void CALLBACK PeticionHttp::AlAvanzar(HINTERNET, DWORD_PTR contexto, DWORD estado, LPVOID informacion, DWORD longitud)
{
    auto* avisos = reinterpret_cast<Avisos*>(contexto);
    if (!avisos)
        return;
    switch (estado) {
    case WINHTTP_CALLBACK_STATUS_CONNECTED_TO_SERVER:
        avisos->conectado = true;
        break;
    case WINHTTP_CALLBACK_STATUS_REQUEST_SENT:
        avisos->fase = AvanceHttp::Fase::EsperandoRespuesta;
        break;
    case WINHTTP_CALLBACK_STATUS_SECURE_FAILURE:
        if (informacion)
            avisos->fallosTls = *static_cast<const DWORD*>(informacion);
        break;
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
        SetEvent(avisos->listo.Get());
        break;
    case WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE:
        avisos->bytes = *static_cast<const DWORD*>(informacion);
        SetEvent(avisos->listo.Get());
        break;
    case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
        avisos->bytes = longitud;
        SetEvent(avisos->listo.Get());
        break;
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
        avisos->error = static_cast<const WINHTTP_ASYNC_RESULT*>(informacion)->dwError;
        SetEvent(avisos->listo.Get());
        break;
    case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING:
        delete avisos;
        break;
    default:
        break;
    }
}

void PeticionHttp::Completar(BOOL llamada, Fase fase, Espera espera)
{
    if (!llamada)
        FallarWinHttp(GetLastError(), fase);
    if (espera == Espera::Omitible) {
        m_pendiente = true;
        m_espera.Espera(m_avisos->listo.Get(), m_avisos->fase);
        m_pendiente = false;
    } else {
        WaitForSingleObject(m_avisos->listo.Get(), INFINITE);
    }
    if (const DWORD error = m_avisos->error.exchange(0))
        FallarWinHttp(error, fase);
}

void PeticionHttp::Enviar()
{
    AjustarTiempos();
    Completar(WinHttpSendRequest(m_peticion.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                                 reinterpret_cast<DWORD_PTR>(m_avisos)),
              Fase::Conexion);
    Completar(WinHttpReceiveResponse(m_peticion.Get(), nullptr), Fase::Respuesta);
}

unsigned int PeticionHttp::Estado() const
{
    DWORD estado = 0;
    DWORD longitud = sizeof(estado);
    WinHttpQueryHeaders(m_peticion.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                        WINHTTP_HEADER_NAME_BY_INDEX, &estado, &longitud, WINHTTP_NO_HEADER_INDEX);
    return estado;
}

CString PeticionHttp::Cabecera(DWORD consulta) const
{
    DWORD bytes = 0;
    WinHttpQueryHeaders(m_peticion.Get(), consulta, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0)
        return CString();
    std::vector<wchar_t> valor(bytes / sizeof(wchar_t) + 1);
    if (!WinHttpQueryHeaders(m_peticion.Get(), consulta, WINHTTP_HEADER_NAME_BY_INDEX, valor.data(), &bytes,
                             WINHTTP_NO_HEADER_INDEX))
        return CString();
    return CString(valor.data(), static_cast<int>(bytes / sizeof(wchar_t)));
}

void PeticionHttp::LeerCuerpo(const RespuestaHttp& respuesta, ReceptorDeCuerpo& receptor)
{
    CString codificacion = Cabecera(WINHTTP_QUERY_CONTENT_ENCODING);
    codificacion.Trim();
    std::optional<Inflador> inflador;
    if (codificacion.CompareNoCase(L"gzip") == 0 || codificacion.CompareNoCase(L"x-gzip") == 0) {
        inflador.emplace(Inflador::Formato::Gzip, m_limites.tamanoMaximo);
    } else if (codificacion.CompareNoCase(L"deflate") == 0) {
        inflador.emplace(Inflador::Formato::Deflate, m_limites.tamanoMaximo);
    } else if (!codificacion.IsEmpty() && codificacion.CompareNoCase(L"identity") != 0) {
        throw ExcepcionNadir(
            Mensaje(IDS_CODIFICACION_DESCONOCIDA, m_url.HostVisible().GetString(), codificacion.GetString()));
    }
    const std::optional<std::uint64_t> declarada = LongitudDeclarada();
    if (!inflador && declarada && *declarada > m_limites.tamanoMaximo)
        FallarPorTamano();
    receptor.Empieza(respuesta, inflador ? std::nullopt : declarada);

    m_avisos->fase = AvanceHttp::Fase::Recibiendo;
    std::vector<char> comprimido(inflador ? kBloque : 0);
    std::uint64_t recibidos = 0;
    m_inicioVentana = Reloj::now();
    m_recibidosAntesDeVentana = 0;
    for (;;) {
        AjustarTiempoDeLectura();
        const DWORD disponibles = EsperarDatos();
        if (disponibles == 0)
            break;
        const DWORD leidos = inflador ? LeerComprimido(disponibles, *inflador, comprimido, receptor)
                                      : LeerDirecto(disponibles, recibidos, receptor);
        if (leidos == 0)
            break;
        recibidos += leidos;
        m_espera.Recibidos(recibidos, declarada.value_or(0));
        ComprobarVelocidad(recibidos);
    }
    // A server that closes early leaves no error behind: only the count tells.
    if ((declarada && recibidos < *declarada) || (inflador && !inflador->Completo()))
        FallarPorCorte(recibidos);
    receptor.Termina();
}

// Straight into the receptor's room: what is available now, never more (a larger read would wait
// for the rest, past the low-speed rule's checks).
DWORD PeticionHttp::LeerDirecto(DWORD disponibles, std::uint64_t recibidos, ReceptorDeCuerpo& receptor)
{
    if (disponibles > m_limites.tamanoMaximo - recibidos)
        FallarPorTamano();
    const DWORD leidos = Leer(receptor.Espacio(disponibles).data(), disponibles);
    receptor.Recibe(leidos);
    return leidos;
}

DWORD PeticionHttp::LeerComprimido(DWORD disponibles, Inflador& inflador, std::vector<char>& comprimido,
                                   ReceptorDeCuerpo& receptor)
{
    const DWORD leidos = Leer(comprimido.data(), std::min(disponibles, static_cast<DWORD>(comprimido.size())));
    switch (inflador.Agregar(comprimido.data(), leidos, receptor)) {
    case Inflador::Resultado::Bien:
        break;
    case Inflador::Resultado::Excede:
        FallarPorTamano();
    case Inflador::Resultado::Corrupto:
        throw ExcepcionNadir(Mensaje(IDS_COMPRIMIDO_DANADO, m_url.HostVisible().GetString()));
    }
    return leidos;
}

milliseconds PeticionHttp::Restante() const
{
    return std::chrono::duration_cast<milliseconds>(m_plazo - Reloj::now());
}

void PeticionHttp::AjustarTiempos()
{
    m_restante = Restante();
    if (m_restante <= milliseconds::zero())
        FallarPorPlazo();
    const int conexion = static_cast<int>(std::min(m_limites.conexion, m_restante).count());
    const int inactividad = static_cast<int>(std::min(m_limites.inactividad, m_restante).count());
    // WinHttpSetTimeouts alone does not cut a server that accepts and never answers under Wine;
    // the response timeout does, there and on Windows.
    DWORD respuesta = static_cast<DWORD>(inactividad);
    if (!WinHttpSetTimeouts(m_peticion.Get(), conexion, conexion, inactividad, inactividad) ||
        !WinHttpSetOption(m_peticion.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &respuesta,
                          sizeof(respuesta)))
        FallarWinHttp(GetLastError(), Fase::Conexion);
    m_esperaFijada = respuesta;
}

void PeticionHttp::AjustarTiempoDeLectura()
{
    m_restante = Restante();
    if (m_restante <= milliseconds::zero())
        FallarPorPlazo();
    // Near the deadline, a read may wait only for what is left of it. Set only when that changes:
    // each setting is a call into the socket (under Wine, one to the server process besides).
    DWORD espera = static_cast<DWORD>(std::min(m_limites.inactividad, m_restante).count());
    if (espera == m_esperaFijada)
        return;
    if (!WinHttpSetOption(m_peticion.Get(), WINHTTP_OPTION_RECEIVE_TIMEOUT, &espera, sizeof(espera)))
        FallarWinHttp(GetLastError(), Fase::Cuerpo);
    m_esperaFijada = espera;
}

DWORD PeticionHttp::EsperarDatos()
{
    Completar(WinHttpQueryDataAvailable(m_peticion.Get(), nullptr), Fase::Cuerpo);
    return m_avisos->bytes;
}

// The bytes WinHTTP announced are in its hands already: their read waits for no server, so it is not the
// user's to skip, and no read is ever left pending into room its owner may free.
DWORD PeticionHttp::Leer(char* destino, DWORD maximo)
{
    Completar(WinHttpReadData(m_peticion.Get(), destino, maximo, nullptr), Fase::Cuerpo, Espera::SinOmitir);
    return m_avisos->bytes;
}

// The low-speed rule, checked as data arrives: a server that sends nothing at all is the inactivity
// limit's. Windows follow one another, each ending at the first read past its length.
void PeticionHttp::ComprobarVelocidad(std::uint64_t recibidos)
{
    if (m_limites.velocidadMinima == 0 || m_limites.ventanaVelocidad <= milliseconds::zero())
        return;
    const Reloj::time_point ahora = Reloj::now();
    const milliseconds transcurrido = std::chrono::duration_cast<milliseconds>(ahora - m_inicioVentana);
    if (transcurrido < m_limites.ventanaVelocidad)
        return;
    const std::uint64_t enLaVentana = recibidos - m_recibidosAntesDeVentana;
    if (enLaVentana * 1000 < m_limites.velocidadMinima * static_cast<std::uint64_t>(transcurrido.count()))
        FallarPorLentitud(enLaVentana, transcurrido);
    m_inicioVentana = ahora;
    m_recibidosAntesDeVentana = recibidos;
}

std::optional<std::uint64_t> PeticionHttp::LongitudDeclarada() const
{
    CString texto = Cabecera(WINHTTP_QUERY_CONTENT_LENGTH);
    texto.Trim();
    if (texto.IsEmpty())
        return std::nullopt;
    wchar_t* fin = nullptr;
    const unsigned long long valor = std::wcstoull(texto, &fin, 10);
    if (fin == nullptr || *fin != L'\0')
        return std::nullopt;
    return valor;
}

void PeticionHttp::FallarWinHttp(DWORD error, Fase fase) const
{
    if (EsErrorTls(error))
        FallarTls(error);
    const CString host = m_url.HostVisible();
    switch (error) {
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        throw ExcepcionNadir(Mensaje(IDS_NOMBRE_NO_RESUELTO, m_url.Host().GetString()));
    case ERROR_WINHTTP_CANNOT_CONNECT:
        throw ExcepcionNadir(Mensaje(IDS_CONEXION_RECHAZADA, host.GetString()));
    case ERROR_WINHTTP_TIMEOUT:
    case kTiempoAgotadoWinsock: {
        const bool conectando = fase == Fase::Conexion && !(m_avisos && m_avisos->conectado);
        if (m_restante < (conectando ? m_limites.conexion : m_limites.inactividad))
            FallarPorPlazo();
        if (conectando)
            throw ExcepcionNadir(
                Mensaje(IDS_CONEXION_SIN_RESPUESTA, host.GetString(), Duracion(m_limites.conexion).GetString()));
        const UINT texto = fase == Fase::Cuerpo ? IDS_CUERPO_DETENIDO : IDS_RESPUESTA_NO_LLEGA;
        throw ExcepcionNadir(Mensaje(texto, host.GetString(), Duracion(m_limites.inactividad).GetString()));
    }
    case ERROR_WINHTTP_CONNECTION_ERROR:
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
        throw ExcepcionNadir(
            Mensaje(fase == Fase::Cuerpo ? IDS_CUERPO_CORTADO : IDS_RESPUESTA_NO_VALIDA, host.GetString()));
    default:
        throw ExcepcionNadir(Mensaje(IDS_PETICION_FALLIDA, host.GetString(), TextoDeError(error).GetString()));
    }
}

void PeticionHttp::FallarTls(DWORD error) const
{
    const CString host = m_url.HostVisible();
    const DWORD fallosTls = m_avisos ? m_avisos->fallosTls.load() : 0;
    UINT texto = 0;
    if (error == ERROR_WINHTTP_SECURE_INVALID_CA || (fallosTls & WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CA))
        texto = IDS_TLS_CA_DESCONOCIDA;
    else if (error == ERROR_WINHTTP_SECURE_CERT_CN_INVALID ||
             (fallosTls & WINHTTP_CALLBACK_STATUS_FLAG_CERT_CN_INVALID))
        texto = IDS_TLS_OTRO_NOMBRE;
    else if (error == ERROR_WINHTTP_SECURE_CERT_DATE_INVALID ||
             (fallosTls & WINHTTP_CALLBACK_STATUS_FLAG_CERT_DATE_INVALID))
        texto = IDS_TLS_CADUCADO;
    else if (error == ERROR_WINHTTP_SECURE_CERT_REVOKED ||
             (fallosTls & WINHTTP_CALLBACK_STATUS_FLAG_CERT_REVOKED))
        texto = IDS_TLS_REVOCADO;
    else if (error == ERROR_WINHTTP_SECURE_CHANNEL_ERROR)
        texto = IDS_TLS_RECHAZADO;
    else
        throw ExcepcionNadir(Mensaje(IDS_TLS_FALLIDA, host.GetString(), TextoDeError(error).GetString()));
    throw ExcepcionNadir(Mensaje(texto, host.GetString()));
}

void PeticionHttp::FallarPorPlazo() const
{
    throw ExcepcionNadir(
        Mensaje(IDS_PLAZO_AGOTADO, m_url.HostVisible().GetString(), Duracion(m_limites.total).GetString()));
}

void PeticionHttp::FallarPorTamano() const
{
    throw ExcepcionNadir(
        Mensaje(IDS_DEMASIADO_GRANDE, m_url.HostVisible().GetString(), Tamano(m_limites.tamanoMaximo).GetString()));
}

void PeticionHttp::FallarPorCorte(std::uint64_t recibidos) const
{
    throw ExcepcionNadir(Mensaje(IDS_CORTADO_CON_BYTES, m_url.HostVisible().GetString(),
                                 static_cast<unsigned long long>(recibidos)));
}

void PeticionHttp::FallarPorLentitud(std::uint64_t enLaVentana, milliseconds transcurrido) const
{
    throw ExcepcionNadir(Mensaje(IDS_DEMASIADO_LENTO, m_url.HostVisible().GetString(),
                                 Tamano(static_cast<std::size_t>(enLaVentana)).GetString(),
                                 Duracion(std::chrono::round<std::chrono::seconds>(transcurrido)).GetString(),
                                 Tamano(m_limites.velocidadMinima).GetString()));
}

}  // namespace Nadir::Sockets
