// NegociadorWMS.cpp: the version a server speaks, asked newest first, and clients over capabilities documents.
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include "CatalogoDeTextos.h"
#include "ClienteWMS.h"
#include "DireccionWMS.h"
#include "ExcepcionCapacidades.h"
#include "LecturaEnParalelo.h"
#include "TextosWMS.h"

#include <cstdint>
#include <cwchar>
#include <iterator>
#include <optional>
#include <span>
#include <vector>

namespace Nadir::OpenGIS::WMS {

namespace {

using Sockets::ConexionHttp;
using Sockets::RespuestaHttp;
using Sockets::ServidorOmitido;
using Motivo = ExcepcionCapacidades::Motivo;

// Answers at least this long (or of unknown length) are read on a thread of their own as they arrive.
constexpr std::uint64_t kLecturaEnParalelo = 256 * 1024;

// Newest first. A server answers a version it lacks with the nearest one it has: that answer stands.
constexpr const wchar_t* kVersiones[] = {L"1.3.0", L"1.1.1", L"1.1.0", L"1.0.0"};

// One version asked: the client, or why not and whether an older version may still be answered.
struct Intento {
    std::shared_ptr<IClienteWMS> cliente;
    CString fallo;
    bool otraVersionPuedeServir = false;
};

// Servers that do not speak the version asked answer with an exception, an error page or nothing
// useful; an answer in a charset we cannot read, or nested too deep, would be the same in any version.
bool OtraVersionPuedeServir(Motivo motivo)
{
    return motivo != Motivo::CodificacionNoSoportada && motivo != Motivo::DemasiadoProfundo;
}

// Statuses that prove the address or the access wrong, or the server unable to answer anything.
bool DetieneLaNegociacion(unsigned int estado)
{
    switch (estado) {
    case 401:  // Unauthorized
    case 403:  // Forbidden
    case 404:  // Not Found
    case 407:  // Proxy Authentication Required
    case 410:  // Gone
    case 429:  // Too Many Requests: more requests would make it worse
    case 502:  // Bad Gateway
    case 503:  // Service Unavailable
    case 504:  // Gateway Timeout
        return true;
    default:
        return false;
    }
}

bool EsExito(unsigned int estado)
{
    return estado >= 200 && estado <= 299;
}

// The answer to one request, read as it arrives whatever its status: a failed request's body is
// only looked at for the server's own exception report.
class ReceptorDeCapacidades : public Sockets::ReceptorDeCuerpo {
public:
    explicit ReceptorDeCapacidades(const CString& host) : m_host(host) {}

    void Empieza(const RespuestaHttp& respuesta, std::optional<std::uint64_t> longitud) override
    {
        m_estado = respuesta.estado;
        m_frase = respuesta.frase;
        m_lector.emplace(respuesta.tipoContenido, m_host, !longitud || *longitud >= kLecturaEnParalelo);
    }
    std::span<char> Espacio(std::size_t minimo) override { return m_lector->Espacio(minimo); }
    void Recibe(std::size_t bytes) override { m_lector->Agrega(bytes); }
    void Termina() override { m_capacidades = m_lector->Termina(); }

    // After a Get that ended without an exception.
    Intento Resultado()
    {
        if (!EsExito(m_estado))
            return FalloHttp({});
        return {std::make_shared<ClienteWMS>(std::move(*m_capacidades)), {}, false};
    }

    // After the reader refused the body.
    Intento Resultado(const ExcepcionCapacidades& e) const
    {
        if (!EsExito(m_estado))
            return FalloHttp(e.m_motivo == Motivo::InformeDeExcepcion ? e.m_mensaje : CString());
        return {nullptr, e.m_mensaje, OtraVersionPuedeServir(e.m_motivo)};
    }

private:
    // The server's own exception when the error page was one, else the status line.
    Intento FalloHttp(const CString& informe) const
    {
        CString mensaje = informe;
        if (mensaje.IsEmpty()) {
            mensaje = Mensaje(IDS_ESTADO_HTTP, m_host.GetString(), m_estado);
            if (!m_frase.IsEmpty())
                mensaje += L" " + m_frase;
        }
        return {nullptr, mensaje, !DetieneLaNegociacion(m_estado)};
    }

    CString m_host;
    unsigned int m_estado = 0;
    CString m_frase;
    std::optional<LecturaEnParalelo> m_lector;
    std::optional<Capacidades> m_capacidades;
};

Intento Pide(const ConexionHttp& conexion, const DireccionWMS& direccion, const CString& version)
{
    ReceptorDeCapacidades receptor(direccion.Host());
    try {
        conexion.Get(direccion.Peticion(version), receptor);
    } catch (const ExcepcionCapacidades& e) {
        return receptor.Resultado(e);
    } catch (const ServidorOmitido&) {
        throw;  // the user gave up on this server: no other version is asked either
    } catch (const ExcepcionNadir& e) {
        return {nullptr, e.m_mensaje, false};  // no answer, or not all of it: no other version would do better
    }
    return receptor.Resultado();
}

CString ConVersionesAnteriores(const CString& fallo)
{
    const bool cerrado = !fallo.IsEmpty() && wcschr(L".!?\x2026", fallo[fallo.GetLength() - 1]);
    return fallo + (cerrado ? L" " : L". ") + Cadena(IDS_VERSIONES_ANTERIORES);
}

}  // namespace

std::shared_ptr<IClienteWMS> NegociadorWMS::CreaClienteWMS(std::shared_ptr<ConexionHttp> conexion, const CString& url)
{
    if (!conexion)
        throw ExcepcionNadir(Mensaje(IDS_SIN_CONEXION, Sockets::SinContrasena(url).GetString()));
    const DireccionWMS direccion(url);
    // Every version asked is one wait for the user.
    const ConexionHttp::Consulta consulta(*conexion, direccion.Host());
    // A version in the address is what the user wants, and only that.
    const std::vector<CString> versiones = direccion.VersionFijada().IsEmpty()
                                               ? std::vector<CString>(std::begin(kVersiones), std::end(kVersiones))
                                               : std::vector<CString>{direccion.VersionFijada()};
    CString primerFallo;
    for (size_t i = 0;; ++i) {
        Intento intento = Pide(*conexion, direccion, versiones[i]);
        if (intento.cliente)
            return intento.cliente;
        if (i == 0)
            primerFallo = intento.fallo;
        if (!intento.otraVersionPuedeServir || i + 1 == versiones.size())
            throw ExcepcionNadir(i == 0 ? primerFallo : ConVersionesAnteriores(primerFallo));
    }
}

std::shared_ptr<IClienteWMS> NegociadorWMS::CreaClienteWMS(const std::string& documento, const CString& origen)
{
    return std::make_shared<ClienteWMS>(LectorCapacidades::Lee(documento, CString(), origen));
}

}  // namespace Nadir::OpenGIS::WMS
