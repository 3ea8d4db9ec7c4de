// InterrogaServidor.cpp: InterrogaServidor, the connection, the leaf walk and the ordering of systems.
#include "InterrogaServidor.h"

#include <Nadir/ExcepcionNadir.h>
#include <Nadir/OpenGIS/WMS/NegociadorWMS.h>

#include <algorithm>
#include <exception>
#include <string_view>
#include <unordered_set>

#include "resource.h"

namespace {

using Nadir::ExcepcionNadir;
using Nadir::OpenGIS::WMS::IClienteWMS;
using Nadir::OpenGIS::WMS::Layer;
using Nadir::OpenGIS::WMS::NegociadorWMS;
using Nadir::Sockets::ConexionHttp;

struct HashCString {
    size_t operator()(const CString& texto) const
    {
        return std::hash<std::wstring_view>()(std::wstring_view(texto.GetString(), texto.GetLength()));
    }
};

// Ascending by CString's ordinal order, each identifier once. The walk has kept each text buffer
// once; what repeats in other buffers goes first, so only the distinct ones are sorted.
void OrdenaSinRepetir(std::vector<CString>& identificadores)
{
    std::unordered_set<CString, HashCString> vistos;
    std::vector<CString> distintos;
    for (CString& identificador : identificadores) {
        if (vistos.insert(identificador).second)
            distintos.push_back(std::move(identificador));
    }
    std::sort(distintos.begin(), distintos.end());
    identificadores = std::move(distintos);
}

// The text buffers a walk has taken. A large server's leaves each repeat the thousands of systems
// their ancestors state, in the same buffers and the same order: each leaf's list is first compared
// with the one before it, element by element, and only what differs is looked up. Every buffer here
// is held by a kept identifier, so no address can come back naming another text.
struct BuffersVistos {
    std::unordered_set<const wchar_t*> todos;
    std::vector<const wchar_t*> listaAnterior;
    std::vector<const wchar_t*> lista;  // the leaf's, kept for its room
};

// A leaf's systems, but for buffers taken already: the list never holds millions (what repeats in
// other buffers, OrdenaSinRepetir sorts out).
void AnhadeSistemas(std::vector<Nadir::OpenGIS::WMS::BoundingBox> deLaHoja, std::vector<CString>& sistemas,
                    BuffersVistos& vistos)
{
    vistos.lista.clear();
    for (size_t i = 0; i < deLaHoja.size(); ++i) {
        const wchar_t* buffer = deLaHoja[i].srs.GetString();
        vistos.lista.push_back(buffer);
        const bool comoAntes = i < vistos.listaAnterior.size() && vistos.listaAnterior[i] == buffer;
        if (!comoAntes && vistos.todos.insert(buffer).second)
            sistemas.push_back(std::move(deLaHoja[i].srs));
    }
    vistos.listaAnterior.swap(vistos.lista);
}

void RecorreHojas(const std::shared_ptr<Layer>& capa, std::vector<CString>& capas, std::vector<CString>& sistemas,
                  BuffersVistos& vistos)
{
    if (!capa)
        return;
    const std::vector<std::shared_ptr<Layer>>& hijas = capa->GetLayers();
    if (!hijas.empty()) {
        for (const std::shared_ptr<Layer>& hija : hijas)
            RecorreHojas(hija, capas, sistemas, vistos);
        return;
    }
    capas.push_back(capa->GetName());
    AnhadeSistemas(capa->GetSRS(), sistemas, vistos);
}

RespuestaDelServidor Fallida(const CString& fallo)
{
    RespuestaDelServidor respuesta;
    respuesta.estado = RespuestaDelServidor::Estado::kFallida;
    respuesta.fallo = fallo;
    return respuesta;
}

RespuestaDelServidor Contestada(const IClienteWMS& cliente)
{
    RespuestaDelServidor respuesta;
    respuesta.estado = RespuestaDelServidor::Estado::kContestada;
    respuesta.metadato1 = cliente.GetMetadato1();
    respuesta.metadato2 = cliente.GetMetadato2();
    respuesta.metadato3 = cliente.GetMetadato3();
    respuesta.metadato4 = cliente.GetMetadato4();
    AnhadeHojas(cliente.GetCapaRaiz(), respuesta.capas, respuesta.sistemas);
    OrdenaSinRepetir(respuesta.sistemas);
    return respuesta;
}

}  // namespace

std::shared_ptr<ConexionHttp> CreaConexion()
{
    return std::make_shared<ConexionHttp>(L"Quasar", ConexionHttp::kProxyDelSistema);
}

RespuestaDelServidor InterrogaServidor(const CString& url)
{
    return InterrogaServidor(url, [](std::shared_ptr<ConexionHttp> conexion, const CString& direccion) {
        return NegociadorWMS::CreaClienteWMS(std::move(conexion), direccion);
    });
}

RespuestaDelServidor InterrogaServidor(const CString& url, const FabricaDeClientes& fabrica)
{
    const std::shared_ptr<ConexionHttp> conexion = CreaConexion();
    std::shared_ptr<IClienteWMS> cliente;
    try {
        cliente = fabrica(conexion, url);
    } catch (const ExcepcionNadir& e) {
        return Fallida(e.m_mensaje);
    }
    if (!cliente)
        return {};
    // A failure while reading what the server sent is told like a failure to reach it: the user
    // reads it in the entry, and the entry is asked again at the next fill.
    try {
        return Contestada(*cliente);
    } catch (const ExcepcionNadir& e) {
        return Fallida(e.m_mensaje);
    } catch (const std::exception& e) {
        CString fallo;
        fallo.Format(IDS_RESPUESTA_ILEGIBLE, Nadir::Sockets::SinContrasena(url).GetString(), e.what());
        return Fallida(fallo);
    }
}

void AnhadeHojas(std::shared_ptr<Layer> capa, std::vector<CString>& capas, std::vector<CString>& sistemas)
{
    BuffersVistos vistos;
    RecorreHojas(capa, capas, sistemas, vistos);
}
