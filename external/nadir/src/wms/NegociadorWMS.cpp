// NegociadorWMS.cpp: the version a server speaks, asked newest first, and clients over capabilities documents.
#include "Nadir/OpenGIS/WMS/NegociadorWMS.h"

#include "CatalogoDeTextos.h"
#include "ClienteWMS.h"
#include "DireccionWMS.h"
#include "ExcepcionCapacidades.h"
#include "LectorCapacidades.h"
#include "TextosWMS.h"

#include <cwchar>
#include <iterator>
#include <vector>

namespace Nadir::OpenGIS::WMS {

namespace {

using Sockets::ConexionHttp;
using Sockets::RespuestaHttp;
using Sockets::ServidorOmitido;
using Motivo = ExcepcionCapacidades::Motivo;

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

// The server's own exception when the error page is an exception report, else the status line.
CString FalloHttp(const RespuestaHttp& respuesta, const CString& host)
{
    try {
        LectorCapacidades::Lee(respuesta.cuerpo, respuesta.tipoContenido, host);
    } catch (const ExcepcionCapacidades& e) {
        if (e.m_motivo == Motivo::InformeDeExcepcion)
            return e.m_mensaje;
    }
    CString mensaje = Mensaje(IDS_ESTADO_HTTP, host.GetString(), respuesta.estado);
    if (!respuesta.frase.IsEmpty())
        mensaje += L" " + respuesta.frase;
    return mensaje;
}

Intento Pide(const ConexionHttp& conexion, const DireccionWMS& direccion, const CString& version)
{
    RespuestaHttp respuesta;
    try {
        respuesta = conexion.Get(direccion.Peticion(version));
    } catch (const ServidorOmitido&) {
        throw;  // the user gave up on this server: no other version is asked either
    } catch (const ExcepcionNadir& e) {
        return {nullptr, e.m_mensaje, false};  // no answer at all: no other version would get one
    }
    if (respuesta.estado < 200 || respuesta.estado > 299)
        return {nullptr, FalloHttp(respuesta, direccion.Host()), !DetieneLaNegociacion(respuesta.estado)};
    try {
        return {std::make_shared<ClienteWMS>(
                    LectorCapacidades::Lee(std::move(respuesta.cuerpo), respuesta.tipoContenido, direccion.Host())),
                {}, false};
    } catch (const ExcepcionCapacidades& e) {
        return {nullptr, e.m_mensaje, OtraVersionPuedeServir(e.m_motivo)};
    }
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
